// The tests' system services on Windows: the program started with CreateProcessW,
// its environment and standard error set up for it, and folders linked file by
// file with hard links (a Windows user may not make symbolic links).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "test_host.h"

namespace fs = std::filesystem;

void Test_Set_Env(const char* name, const char* value) {
    _putenv_s(name, value);
}

int Test_Process_Id() {
    return static_cast<int>(GetCurrentProcessId());
}

void Test_Link(const fs::path& target, const fs::path& link) {
    if (!fs::is_directory(target)) {
        if (!CreateHardLinkW(link.wstring().c_str(), target.wstring().c_str(), nullptr))
            fs::copy_file(target, link);
        return;
    }
    fs::create_directories(link);
    for (const fs::directory_entry& e : fs::directory_iterator(target))
        Test_Link(e.path(), link / e.path().filename());
}

int Test_Run_Program(const std::string& folder, const std::vector<std::string>& env,
                     const std::vector<std::string>& args, const std::string& err_file) {
    // The child's environment: the tests' own, less what a run must not inherit,
    // with the assignments given.
    std::wstring block;
    const std::vector<std::wstring> left_out = {L"VELTRAN_SHOW=", L"VELTRAN_SEED="};
    wchar_t* own = GetEnvironmentStringsW();
    for (const wchar_t* p = own; *p != L'\0'; p += std::wcslen(p) + 1) {
        const std::wstring var = p;
        bool skip = false;
        for (const std::wstring& l : left_out) skip = skip || var.rfind(l, 0) == 0;
        for (const std::string& e : env)
            skip = skip || var.rfind(fs::path(e.substr(0, e.find('=') + 1)).wstring(), 0) == 0;
        if (!skip) block += var + L'\0';
    }
    FreeEnvironmentStringsW(own);
    for (const std::string& e : env) block += fs::path(e).wstring() + L'\0';
    block += L'\0';
    std::wstring cmd = L"\"" + fs::path(VELTRAN_EXE).wstring() + L"\"";
    for (const std::string& a : args) cmd += L" \"" + fs::path(a).wstring() + L"\"";
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE err =
        CreateFileW((fs::path(folder) / err_file).wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    const HANDLE none =
        CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = none;
    si.hStdError = err;
    PROCESS_INFORMATION pi{};
    const bool started =
        CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                       block.data(), fs::path(folder).wstring().c_str(), &si, &pi);
    CloseHandle(err);
    CloseHandle(none);
    if (!started) return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}
