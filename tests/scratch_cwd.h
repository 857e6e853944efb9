// A scratch working directory for tests that touch files the program finds by
// relative path (Report.txt, HScripts/...). The log is opened there and closed after.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/report_log.h"
#include "test_host.h"

class Scratch_Cwd {
  public:
    Scratch_Cwd() {
        static int counter = 0;
        dir_ =
            std::filesystem::temp_directory_path() /
            ("veltran_cwd_" + std::to_string(Test_Process_Id()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    ~Scratch_Cwd() {
        Report_Set_Path(nullptr);  // the log opened here is closed
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::filesystem::path p = dir_ / name;
        if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // What the log holds after its header.
    std::string Log() const {
        std::string all = Read("Report.txt");
        size_t end = all.find("\n\n", 1);
        return end == std::string::npos ? all : all.substr(end + 2);
    }

  private:
    std::filesystem::path dir_, old_;
};
