// The book parser: line formatting, line kinds, the counting of numbering faults,
// the index it builds and the lookups through it.
#include <gtest/gtest.h>

#include "scratch_cwd.h"
#include "scripture/hs_book.h"

namespace {

class Book_Test : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Report_Open(), 1); }
    // Loads the given lines joined with sep; returns the load result.
    int Load(const std::string& text) {
        cwd.Write("book.txt", text);
        return HS_Book_Load(&book, "book.txt");
    }
    static std::string Crlf(std::initializer_list<const char*> lines) {
        std::string s;
        for (const char* l : lines) s += std::string(l) + "\r\n";
        return s;
    }
    Scratch_Cwd cwd;
    HS_Book book;
};

TEST_F(Book_Test, CrLfFileWithBlankLinesAndTabsReadsAsItsLines) {
    ASSERT_EQ(Load("  Книга Руфь\r\n\r\nРуфь\r\n\r\n  Глава 1\t\r\n1 Во\tдни те\r\n\r\n\t2 И "
                   "пошел \r\n"),
              1);
    EXPECT_STREQ(book.Head_Line, "Книга Руфь");
    EXPECT_STREQ(book.Head_Code, "Руфь");
    EXPECT_EQ(Chapter_Count(&book), 1);
    EXPECT_EQ(Verse_Count(&book, 1), 2);
    EXPECT_STREQ(Verse_Text(&book, 1, 1), "1 Во дни те");
    EXPECT_STREQ(Verse_Text(&book, 1, 2), "2 И пошел");
    EXPECT_EQ(book.Raw_Text, nullptr);
    EXPECT_NE(cwd.Log().find("\nпосле форматирования: строк 5, текст"), std::string::npos);
    // Long head lines are cut to their fields.
    ASSERT_EQ(
        Load(std::string(300, 'A') + "\r\n" + std::string(40, 'B') + "\r\nГлава 1\r\n1 a\r\n"), 1);
    EXPECT_EQ(std::string(book.Head_Line), std::string(127, 'A'));
    EXPECT_EQ(std::string(book.Head_Code), std::string(9, 'B'));
}

TEST_F(Book_Test, FilesWithoutABodyAreRefusedWithTheirLines) {
    EXPECT_EQ(Load("Head\nCode\nГлава 1\n1 text\n"), 0);  // LF only: one line
    EXPECT_EQ(book.Loaded, 0);
    EXPECT_NE(cwd.Log().find("строк 1,"), std::string::npos);
    EXPECT_NE(cwd.Log().find("\n Error: в тексте нет ни одной главы"), std::string::npos);
    EXPECT_EQ(Load(""), 0);
    EXPECT_EQ(Load(" \r\n\t\r\n  "), 0);
    EXPECT_NE(cwd.Log().find("строк 0, текст 0 байт"), std::string::npos);
    EXPECT_STREQ(book.Head_Line, "");
    EXPECT_EQ(HS_Book_Load(&book, "nowhere.txt"), 0);
    EXPECT_NE(cwd.Log().find("\nЧтение текстового файла: nowhere.txt\n\tError: файл не найден"),
              std::string::npos);
}

TEST(Classify, KeywordsFoldCaseAndNumbersStopAtTheFirstNonDigit) {
    int n = -1;
    for (const char* line : {"глава 3", "Глава 3", "ГЛАВА 3", "гЛаВа   3", "Глава 3-я"}) {
        n = -1;
        EXPECT_EQ(Classify_Line(line, &n), LINE_CHAPTER) << line;
        EXPECT_EQ(n, 3) << line;
    }
    EXPECT_EQ(Classify_Line("Глава12", &n), LINE_CHAPTER);
    EXPECT_EQ(n, 2);  // the number starts at the seventh character
    EXPECT_EQ(Classify_Line("Глава", &n), LINE_CHAPTER);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(Classify_Line("12 Text", &n), LINE_VERSE);
    EXPECT_EQ(n, 12);
    EXPECT_EQ(Classify_Line("99999999999999999999 x", &n), LINE_VERSE);
    EXPECT_GT(n, 0);
    EXPECT_EQ(Classify_Line("Header Text", &n), LINE_HEADER);
    EXPECT_EQ(Classify_Line("HEADER", &n), LINE_HEADER);
    EXPECT_EQ(Classify_Line("0 text", &n), LINE_UNKNOWN);
    EXPECT_EQ(Classify_Line("Главы 3", &n), LINE_UNKNOWN);
    EXPECT_EQ(Classify_Line("Стих 3", &n), LINE_UNKNOWN);
}

// Each fault in the numbering is counted once and named where it stands.
TEST_F(Book_Test, NumberingFaultsAreCountedAndNamed) {
    const struct {
        std::initializer_list<const char*> body;
        const char* line;
        int faults;
    } cases[] = {
        {{"Глава 1", "1 a", "Глава 2", "1 b", "Глава 4", "1 c"},
         "\n  Сбой главы, получена 4, ожидалась 3",
         1},
        {{"Глава 1", "1 a", "2 b", "2 c", "4 d"},
         "\n  Сбой стихов в главе 1, ожидался 3, получен 2",
         1},
        {{"Глава 1", "1 a", "2 b", "4 d", "5 e"}, "\n  Сбой стихов в главе 1", 2},
        {{"Глава 1", "1 a", "0 zero", "Стих"},
         "\n  Error Text: Unknown Line, глава 1, стих 1 \n  LINE:  0 zero",
         2},
    };
    for (const auto& c : cases) {
        std::string text = "H\r\nC\r\n";
        for (const char* l : c.body) text += std::string(l) + "\r\n";
        EXPECT_EQ(Load(text), 0);
        const std::string log = cwd.Log();
        EXPECT_NE(log.find(c.line), std::string::npos) << c.line;
        EXPECT_NE(log.rfind("\nПроверка текста закончена, ошибок: " + std::to_string(c.faults)),
                  std::string::npos);
        EXPECT_EQ(log.rfind("\nПроверка текста закончена"),
                  log.rfind("\nПроверка текста закончена, ошибок: " + std::to_string(c.faults)));
    }
}

TEST_F(Book_Test, HeadingsAreRecordedWithTheVerseThatFollows) {
    ASSERT_EQ(Load(Crlf({"H", "C", "Глава 1", "HEADER   Начало", "1 a", "Глава 2", "1 a", "2 b",
                         "3 c", "4 d", "header Вторая часть", "5 e", "HEADER"})),
              1);
    ASSERT_EQ(book.Headers->count, 3);
    auto at = [&](int i) { return *static_cast<const Header_Rec*>(book.Headers->At(i)); };
    EXPECT_EQ(at(0).chapter, 1);
    EXPECT_EQ(at(0).next_verse, 1);
    EXPECT_STREQ(book.Header_Texts->At(at(0).offset), "Начало");
    EXPECT_EQ(at(1).chapter, 2);
    EXPECT_EQ(at(1).next_verse, 5);
    EXPECT_STREQ(book.Header_Texts->At(at(1).offset), "Вторая часть");
    EXPECT_STREQ(book.Header_Texts->At(at(2).offset), "");
    EXPECT_EQ(Verse_Count(&book, 2), 5);
    EXPECT_NE(cwd.Log().find("\n Глав: 2, Разделов: 3, стихов: 6 \n"), std::string::npos);
}

TEST_F(Book_Test, LinesBeforeTheFirstChapterAreCheckedButNotKept) {
    ASSERT_EQ(Load(Crlf({"H", "C", "1 preface", "Глава 1", "1 a", "2 b"})), 1);
    EXPECT_EQ(book.Verses->count, 2);
    EXPECT_STREQ(Verse_Text(&book, 1, 1), "1 a");
    // ... and a fault there still refuses the book.
    EXPECT_EQ(Load(Crlf({"H", "C", "2 preface", "Глава 1", "1 a"})), 0);
}

TEST_F(Book_Test, LookupsOutsideTheBookGiveNull) {
    ASSERT_EQ(Load(Crlf({"H", "C", "Глава 1", "1 a", "2 b", "Глава 2", "1 c"})), 1);
    EXPECT_STREQ(Verse_Text(&book, 2, 1), "1 c");
    EXPECT_EQ(Verse_Text(&book, 0, 1), nullptr);
    EXPECT_EQ(Verse_Text(&book, 3, 1), nullptr);
    EXPECT_EQ(Verse_Text(&book, 1, 0), nullptr);
    EXPECT_EQ(Verse_Text(&book, 1, 3), nullptr);
    EXPECT_EQ(Verse_Text(&book, -5, -5), nullptr);
    EXPECT_EQ(Verse_Count(&book, 3), 0);
    // An empty chapter keeps the index in step.
    ASSERT_EQ(Load(Crlf({"H", "C", "Глава 1", "Глава 2", "1 x", "2 y"})), 1);
    EXPECT_EQ(Verse_Count(&book, 1), 0);
    EXPECT_EQ(Verse_Text(&book, 1, 1), nullptr);
    EXPECT_STREQ(Verse_Text(&book, 2, 2), "2 y");
    HS_Book_Free(&book);
    EXPECT_EQ(Chapter_Count(&book), 0);
    EXPECT_EQ(Verse_Text(&book, 1, 1), nullptr);
}

TEST(Storage, RecordArrayAndStringPoolGrowAndKeepTheirContents) {
    Element_Storage e(1, 2, sizeof(int));
    for (int i = 0; i < 7; ++i) ASSERT_EQ(e.Add_Element(&i), 1);
    EXPECT_EQ(e.capacity, 7);
    EXPECT_EQ(*static_cast<const int*>(e.At(6)), 6);
    EXPECT_EQ(e.At(7), nullptr);
    String_Storage s(4);
    std::string big(3000, 'z');
    ASSERT_EQ(s.Add_String("abc"), 1);
    ASSERT_EQ(s.Add_String(big.c_str()), 1);
    EXPECT_EQ(s.used, 4u + 3001u);
    EXPECT_STREQ(s.At(0), "abc");
    s.Shrink_To_Fit();
    EXPECT_EQ(s.capacity, s.used + 12);
    EXPECT_EQ(std::string(s.At(4)), big);
    EXPECT_EQ(s.At(s.used), nullptr);
}

}  // namespace
