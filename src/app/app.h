// The program's entry point, its start-up and shutdown sequences.
#pragma once

// Exit statuses of the program.
constexpr int Exit_Normal = 0;
constexpr int Exit_Startup_Failed = 1;
constexpr int Exit_No_Window = 2;

// Runs the whole program: window, start-up, screens, shutdown. Returns the exit status.
int App_Main();

int App_Startup();
int App_Shutdown();
