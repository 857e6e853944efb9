// The system's services as the game relies on them on every system: a file put in
// place of an old one again and again, folders made with their parents, names in a
// folder, durable writes that leave nothing behind when they fail, the calendar,
// and sleeping until a deadline.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/system.h"
#include "scratch_cwd.h"

namespace {

std::string Read(const char* path) {
    std::vector<uint8_t> bytes;
    return File_Read_All(path, &bytes, 1 << 20) ? std::string(bytes.begin(), bytes.end()) : "?";
}

TEST(System, AFileIsPutInPlaceOfTheOldOneEveryTimeAndKeepsItsBytes) {
    Scratch_Cwd cwd;
    // Twice over the same name: a system that cannot rename over a file fails the
    // second time. Carriage returns and NULs go through as they are.
    for (const std::string& text : {std::string("one\n\r\n"), std::string("two\0\n", 5)}) {
        const File_Part part{text.data(), text.size()};
        ASSERT_EQ(File_Write_Durably("slot", &part, 1), Sys_Failure::Ok);
        EXPECT_EQ(Read("slot"), text);
        EXPECT_FALSE(Sys_Exists("slot.new"));
    }
    // A folder where the file should go: refused, and the new file is gone.
    ASSERT_EQ(Sys_Make_Folders("taken/inside"), Sys_Failure::Ok);
    const File_Part part{"x", 1};
    EXPECT_NE(File_Write_Durably("taken", &part, 1), Sys_Failure::Ok);
    EXPECT_FALSE(Sys_Exists("taken.new"));
    EXPECT_TRUE(Sys_Is_Folder("taken/inside"));
    // A player's folder named in Cyrillic, "Мои игры" (paths are UTF-8 inside the
    // program, UTF-16 at Windows's door).
    const std::string folder = "\xd0\x9c\xd0\xbe\xd0\xb8 \xd0\xb8\xd0\xb3\xd1\x80\xd1\x8b";
    ASSERT_EQ(Sys_Make_Folders(folder + "/SAVE"), Sys_Failure::Ok);
    ASSERT_EQ(File_Write_Durably(folder + "/SAVE/slot1", &part, 1), Sys_Failure::Ok);
    ASSERT_EQ(File_Write_Durably(folder + "/SAVE/slot1", &part, 1), Sys_Failure::Ok);
    EXPECT_EQ(Read((folder + "/SAVE/slot1").c_str()), "x");
    EXPECT_EQ(Sys_Folder_Names(folder), std::vector<std::string>{"SAVE"});
    const std::vector<std::string> here = Sys_Folder_Names(Sys_Current_Folder());
    EXPECT_EQ(std::count(here.begin(), here.end(), folder), 1);
}

TEST(System, FoldersAreMadeWithTheirParentsAndAFileInTheWayIsLeftAlone) {
    Scratch_Cwd cwd;
    EXPECT_EQ(Sys_Make_Folders("a/b/c"), Sys_Failure::Ok);
    EXPECT_TRUE(Sys_Is_Folder("a/b/c"));
    EXPECT_EQ(Sys_Make_Folders("a/b/c"), Sys_Failure::Ok);  // there already
    EXPECT_TRUE(Sys_Can_Write_Into("a/b"));
    cwd.Write("plain", "a file");
    EXPECT_NE(Sys_Make_Folders("plain"), Sys_Failure::Ok);
    EXPECT_NE(Sys_Make_Folders("plain/below"), Sys_Failure::Ok);
    EXPECT_EQ(Read("plain"), "a file");
    EXPECT_FALSE(Sys_Is_Folder("plain"));
    // Names in a folder, and those of one kind with letter case set aside.
    cwd.Write("a/Ruf.TXT", "");
    cwd.Write("a/ruf.txt.bak", "");
    cwd.Write("a/.txt", "");
    std::vector<std::string> names = Sys_Folder_Names("a");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".txt", "Ruf.TXT", "b", "ruf.txt.bak"}));
    EXPECT_EQ(Files_Ending_In("a", ".txt"), std::vector<std::string>{"Ruf.TXT"});
    EXPECT_TRUE(Sys_Folder_Names("missing").empty());
    EXPECT_EQ(Compare_No_Case("Ruf", "rUF"), 0);
    EXPECT_LT(Compare_No_Case("Ruf", "rufs"), 0);
    for (const char* whole : {"/home/x", "C:/Games", "c:\\Games", "\\\\server\\share"})
        EXPECT_TRUE(File_Path_Absolute(whole)) << whole;
    for (const char* relative : {"", "script.txt", "C:Games", "./x"})
        EXPECT_FALSE(File_Path_Absolute(relative)) << relative;
    // A folder opened as a file has no size.
    FILE* f = Sys_Open("a", "rb");
    EXPECT_EQ(Sys_Size_Of(f), -1);
    if (f != nullptr) std::fclose(f);
}

TEST(System, TheCalendarAndTheClocks) {
    Sys_Date d;
    // A day in the year 2100 (not a leap year) at noon UTC, so every zone agrees on
    // the date: Friday 1 January 2100.
    ASSERT_TRUE(Sys_Local_Date(4102488000LL, &d));
    EXPECT_EQ(d.year, 2100);
    EXPECT_EQ(d.month, 1);
    EXPECT_EQ(d.day, 1);
    EXPECT_EQ(d.weekday, 5);
    int millis = -1;
    const int64_t now = Sys_Now(&millis);
    EXPECT_GT(now, 1700000000);
    EXPECT_GE(millis, 0);
    EXPECT_LT(millis, 1000);
    const uint64_t start = Sys_Monotonic_Ns();
    Sys_Sleep_Until(start + 20000000);
    EXPECT_GE(Sys_Monotonic_Ns(), start + 20000000);
    Sys_Sleep_Until(start);  // past: returns at once
    EXPECT_GT(Sys_Memory_In_Use().heap_kb, 0);
}

}  // namespace
