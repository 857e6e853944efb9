// The bundled 66 book files: they load without a fault, hold the whole Synodal
// text, and are exactly what the converter makes from the source.
#include <gtest/gtest.h>

#include <cstring>

#include <cstdlib>
#include <filesystem>

#include "scratch_cwd.h"
#include "scripture/bible_shape.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"

namespace fs = std::filesystem;

namespace {

const std::string Repo = VELTRAN_SOURCE_DIR;

TEST(Corpus, AllBooksLoadCleanlyWithEveryChapterAndVerse) {
    Scratch_Cwd cwd;
    ASSERT_EQ(Report_Open(), 1);
    int chapters = 0, verses = 0;
    for (int k = 0; k < HS_Book_Count; ++k) {
        const std::string path = Repo + "/data/HScripts/" + HS_File_Names[k] + ".txt";
        HS_Book book;
        ASSERT_EQ(HS_Book_Load(&book, path.c_str()), 1) << path;
        EXPECT_STREQ(book.Head_Code, HS_Abbrevs[k]);
        EXPECT_EQ(book.Headers->count, 0);
        chapters += Chapter_Count(&book);
        // The compiled shape of the Bible is the books' own.
        ASSERT_EQ(Bible_Chapters(k + 1), Chapter_Count(&book)) << HS_File_Names[k];
        for (int c = 1; c <= Chapter_Count(&book); ++c) {
            ASSERT_GT(Verse_Count(&book, c), 0) << HS_File_Names[k] << " " << c;
            ASSERT_EQ(Bible_Verses(k + 1, c), Verse_Count(&book, c)) << HS_File_Names[k] << c;
            ASSERT_EQ(Bible_Chapter_Index(k + 1, c), chapters - Chapter_Count(&book) + c - 1);
            verses += Verse_Count(&book, c);
        }
        if (k == 0) {
            EXPECT_STREQ(book.Head_Line, "Первая книга Моисеева. Бытие");
            EXPECT_STREQ(Verse_Text(&book, 1, 1), "1 В начале сотворил Бог небо и землю.");
            EXPECT_EQ(std::strlen(Verse_Text(&book, 1, 1)), 37u);
        }
        if (k == 38) {
            EXPECT_EQ(Chapter_Count(&book), 4);  // Malachi, Synodal numbering
        }
    }
    EXPECT_EQ(chapters, Bible_Chapter_Total);
    EXPECT_EQ(verses, Bible_Verse_Total);
    EXPECT_EQ(Bible_Chapters(0) + Bible_Chapters(67) + Bible_Verses(19, 151) + Bible_Verses(1, 0),
              0);
    EXPECT_EQ(Bible_Chapter_Index(66, 23), -1);
    EXPECT_EQ(cwd.Log().find("Сбой"), std::string::npos);
}

TEST(Corpus, FilesUseOnlyDrawableBytesAndCrLf) {
    for (int k = 0; k < HS_Book_Count; ++k) {
        std::ifstream in(Repo + "/data/HScripts/" + HS_File_Names[k] + ".txt", std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        ASSERT_FALSE(bytes.empty());
        for (size_t i = 0; i < bytes.size(); ++i) {
            const unsigned char b = static_cast<unsigned char>(bytes[i]);
            if (b == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << HS_File_Names[k];
            }
            if (b == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n');
            }
            ASSERT_FALSE(b < 0x20 && b != '\r' && b != '\n') << HS_File_Names[k] << " @" << i;
            ASSERT_FALSE(b >= 0x80 && b < 0xC0 && b != 0xA8 && b != 0xB8)
                << HS_File_Names[k] << " @" << i;
        }
    }
}

TEST(Corpus, ConverterRemakesTheSameBytes) {
    const char* env = std::getenv("VELTRAN_CONTENT_SOURCES");
    const fs::path sources =
        env ? fs::path(env) : fs::path(Repo) / ".." / "shared" / "content-sources";
    const fs::path synodal = sources / "synodal";
    if (!fs::exists(synodal / "books.tsv")) GTEST_SKIP() << "no content sources at " << sources;
    Scratch_Cwd cwd;
    const std::string cmd =
        std::string("'") + CONVERT_EXE + "' '" + synodal.string() + "' . > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    for (int k = 0; k < HS_Book_Count; ++k) {
        const std::string name = std::string(HS_File_Names[k]) + ".txt";
        std::ifstream in(Repo + "/data/HScripts/" + name, std::ios::binary);
        std::string committed((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(cwd.Read(name), committed) << name << " differs from a fresh conversion";
    }
}

}  // namespace
