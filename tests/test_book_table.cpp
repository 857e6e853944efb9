// Finding the book files: exact, case-sensitive names from the table only.
#include <gtest/gtest.h>

#include <cstring>

#include "scratch_cwd.h"
#include "scripture/book_table.h"

namespace {

TEST(Book_Table, StemsAreDistinctAndShortFormsFitTheirColumn) {
    EXPECT_STREQ(HS_Titles[44], "Иаков");  // the general epistles follow Acts
    for (int k = 0; k < HS_Book_Count; ++k) {
        EXPECT_LE(std::strlen(HS_Abbrevs[k]), 9u) << k + 1;
        for (int j = 0; j < k; ++j) EXPECT_STRNE(HS_File_Names[k], HS_File_Names[j]);
    }
}

TEST(Book_Table, OnlyExactNamesAreFound) {
    Scratch_Cwd cwd;
    cwd.Write("HScripts/Bytie.txt", "x");
    cwd.Write("HScripts/Ioan.txt", "x");
    cwd.Write("HScripts/levit.txt", "x");      // wrong letter case
    cwd.Write("HScripts/Ishod.txt.bak", "x");  // a copy
    cwd.Write("HScripts/notes.txt", "x");
    cwd.Write("HScripts/Ioan.TXT", "x");
    ASSERT_EQ(Report_Open(), 1);
    EXPECT_EQ(Books_Find(), 2);
    for (int k = 0; k < HS_Book_Count; ++k)
        EXPECT_EQ(HS_Available[k], k == 0 || k == 42 ? 1 : 0) << "book " << k + 1;
    EXPECT_EQ(cwd.Log(),
              "\n Поиск книг Священного Писания:\n   HS: Бытие\n   HS: Евангл от Иоанна\n Ок");
}

}  // namespace
