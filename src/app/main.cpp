// veltran: the game's executable.
#include "app/app.h"
#include "platform/sdl_system.h"

int main(int argc, char** argv) {
    Plat_Use_Sdl();
    return App_Main(argc, argv);
}
