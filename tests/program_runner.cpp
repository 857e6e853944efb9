// Runs the real executable headless for the end-to-end tests.
#include "program_runner.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "test_host.h"

namespace fs = std::filesystem;

Scratch_Dir::Scratch_Dir() {
    static std::atomic<int> counter{0};
    path_ = (fs::temp_directory_path() /
             ("veltran_run_" + std::to_string(Test_Process_Id()) + "_" + std::to_string(counter++)))
                .generic_string();
    fs::remove_all(path_);
    fs::create_directories(path_);
    Add_Book();
}

Scratch_Dir::~Scratch_Dir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void Scratch_Dir::Write(const std::string& name, const std::string& bytes) const {
    fs::path p = fs::path(path_) / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

std::string Scratch_Dir::Read(const std::string& name) const {
    std::ifstream in(fs::path(path_) / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Scratch_Dir::Remove(const std::string& name) const {
    fs::remove_all(fs::path(path_) / name);
}

void Scratch_Dir::Link_Bundled_Data(bool with_books) const {
    const fs::path data = fs::path(VELTRAN_SOURCE_DIR) / "data";
    if (with_books) {
        Remove("HScripts");
        Test_Link(data / "HScripts", fs::path(path_) / "HScripts");
    }
    for (const char* name : {"SOUNDS", "MUSIC", "MUSIC_SESIONS", "rainbow.rbw"})
        Test_Link(data / name, fs::path(path_) / name);
    // The pictures folder is the scratch folder's own, so that screenshots land here
    // and never in the source tree.
    fs::create_directories(fs::path(path_) / "images" / "screen_shot");
    for (const fs::directory_entry& e : fs::directory_iterator(data / "images"))
        if (e.path().filename() != "screen_shot")
            Test_Link(e.path(), fs::path(path_) / "images" / e.path().filename());
}

void Scratch_Dir::Copy_Bundled(const std::string& name) const {
    fs::create_directories((fs::path(path_) / name).parent_path());
    fs::copy_file(fs::path(VELTRAN_SOURCE_DIR) / "data" / name, fs::path(path_) / name,
                  fs::copy_options::overwrite_existing);
}

bool Scratch_Dir::Exists(const std::string& name) const {
    return fs::exists(fs::path(path_) / name);
}

void Scratch_Dir::Add_Book() const {
    Write("HScripts/Ruf.txt", "Книга Руфь\r\nРуфь\r\nГлава 1\r\n1 Во дни те\r\n");
}

Program_Run Run_Program(const Scratch_Dir& dir, const std::string& script,
                        const std::vector<std::string>& env, const std::vector<std::string>& args) {
    dir.Write("script.txt", script);
    std::vector<std::string> all_env = {"VELTRAN_SCRIPT=script.txt"};
    all_env.insert(all_env.end(), env.begin(), env.end());
    Program_Run run;
    run.status = Test_Run_Program(dir.path(), all_env, args, "stderr.txt");
    run.report = dir.Read("Report.txt");
    run.err = dir.Read("stderr.txt");
    return run;
}

std::string Report_Body(const std::string& report) {
    // The header is "\nФайл отчета (...) открыт в <time>\n\n".
    size_t end = report.find("\n\n", 1);
    return end == std::string::npos ? report : report.substr(end + 2);
}

std::string Book_File(const char* head, const std::vector<std::vector<std::string>>& chapters) {
    std::string b = std::string(head) + "\r\nКод\r\n";
    for (size_t c = 0; c < chapters.size(); ++c) {
        b += "Глава " + std::to_string(c + 1) + "\r\n";
        for (size_t v = 0; v < chapters[c].size(); ++v)
            b += std::to_string(v + 1) + (chapters[c][v].empty() ? "" : " " + chapters[c][v]) +
                 "\r\n";
    }
    return b;
}

::testing::AssertionResult Log_In_Order(const std::string& log,
                                        std::initializer_list<const char*> lines) {
    size_t at = 0;
    for (const char* line : lines) {
        const size_t found = log.find(line, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "missing after offset " << at << ": " << line;
        at = found + 1;
    }
    return ::testing::AssertionSuccess();
}

size_t Log_Count(const std::string& log, const std::string& line) {
    size_t n = 0;
    for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++n;
    return n;
}
