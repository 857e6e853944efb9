// Runs the real veltran executable in a scratch working directory with a script,
// and reads back what it wrote.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

struct Program_Run {
    int status = -1;     // exit status
    std::string report;  // Report.txt as written (Windows-1251)
    std::string err;     // what it printed on stderr
};

class Scratch_Dir {
  public:
    Scratch_Dir();
    ~Scratch_Dir();
    const std::string& path() const { return path_; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Puts one small book into HScripts (every scratch directory starts with it).
    void Add_Book() const;
    void Remove(const std::string& name) const;
    // Links the bundled content (pictures, palette, sounds, music, and the books
    // unless the folder's own are wanted) in; images/ is a folder of its own.
    void Link_Bundled_Data(bool with_books = true) const;
    // Copies a file of the bundled content (a name under data/) in.
    void Copy_Bundled(const std::string& name) const;

  private:
    std::string path_;
};

// Runs the program in dir with VELTRAN_SCRIPT=script (written as script.txt), the
// extra environment assignments given ("NAME=value") and its command line.
Program_Run Run_Program(const Scratch_Dir& dir, const std::string& script,
                        const std::vector<std::string>& env = {},
                        const std::vector<std::string>& args = {});

// Report.txt without its header line (the only part that depends on the time).
std::string Report_Body(const std::string& report);

// A book file of the given chapters, each a list of verse texts (numbers added; an
// empty text leaves the verse number alone).
std::string Book_File(const char* head, const std::vector<std::vector<std::string>>& chapters);

// Whether the lines stand in the log in this order, and how often one stands there.
::testing::AssertionResult Log_In_Order(const std::string& log,
                                        std::initializer_list<const char*> lines);
size_t Log_Count(const std::string& log, const std::string& line);
