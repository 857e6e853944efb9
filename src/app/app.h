// The program's entry point, its start-up and shutdown sequences.
#pragma once

// Exit statuses of the program.
constexpr int Exit_Normal = 0;
constexpr int Exit_Startup_Failed = 1;
constexpr int Exit_No_Window = 2;
constexpr int Exit_Usage = 64;  // an argument the program does not take

// Runs the whole program: the command line (--help, --version), the window,
// start-up, screens, shutdown. Returns the exit status.
int App_Main(int argc, char** argv);

int App_Startup();
int App_Shutdown();
