// What the tests ask of the system they run on, one file of it per system
// (test_host_posix.cpp, test_host_windows.cpp): an environment variable, the
// process's number, a folder's content linked into another, and the real program
// run with a script.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

void Test_Set_Env(const char* name, const char* value);
int Test_Process_Id();
// Makes `link` show what `target` holds (a symbolic link where the system makes
// them, else hard links of every file); false when it cannot.
void Test_Link(const std::filesystem::path& target, const std::filesystem::path& link);
// Runs the program (VELTRAN_EXE) in the folder with its arguments and these
// environment assignments ("NAME=value") over the tests' own, VELTRAN_SHOW and
// VELTRAN_SEED left out unless given; its stderr into the file err_file there. The
// exit status, or -1 when it did not end by itself.
int Test_Run_Program(const std::string& folder, const std::vector<std::string>& env,
                     const std::vector<std::string>& args, const std::string& err_file);
