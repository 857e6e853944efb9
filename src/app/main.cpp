// veltran: the game's executable.
#include "app/app.h"

int main() {
    return App_Main();
}
