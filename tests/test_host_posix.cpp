// The tests' system services on a POSIX system.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "test_host.h"

void Test_Set_Env(const char* name, const char* value) {
    setenv(name, value, 1);
}

int Test_Process_Id() {
    return static_cast<int>(getpid());
}

void Test_Link(const std::filesystem::path& target, const std::filesystem::path& link) {
    if (std::filesystem::is_directory(target))
        std::filesystem::create_directory_symlink(target, link);
    else
        std::filesystem::create_symlink(target, link);
}

int Test_Run_Program(const std::string& folder, const std::vector<std::string>& env,
                     const std::vector<std::string>& args, const std::string& err_file) {
    std::string cmd = "cd '" + folder + "' && env -u VELTRAN_SHOW -u VELTRAN_SEED";
    for (const std::string& e : env) cmd += " '" + e + "'";
    cmd += " '" VELTRAN_EXE "'";
    for (const std::string& a : args) cmd += " '" + a + "'";
    cmd += " 2>'" + err_file + "' > /dev/null";
    const int rc = std::system(cmd.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}
