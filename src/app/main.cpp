// veltran: the game's executable.
#include "app/app.h"

int main(int argc, char** argv) {
    return App_Main(argc, argv);
}
