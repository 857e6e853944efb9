// veltran: the game's executable.
#include <cstdlib>

#include "app/app.h"
#include "platform/sdl_system.h"

int main(int argc, char** argv) {
    Plat_Use_Sdl();
    // Through exit rather than a return: in the browser, main has slept on the way
    // and a returned status would be lost.
    std::exit(App_Main(argc, argv));
}
