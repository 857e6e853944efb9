// The book parser: a check pass that counts chapters and verses and reports every
// numbering fault, then a build pass that indexes the lines into the pools.
#include "scripture/hs_book.h"

#include <cstring>
#include <initializer_list>
#include <new>

#include "core/report_log.h"

namespace {

// Case fold of the code page: Latin a-z and Cyrillic а-я to capitals; ё stays.
unsigned char Fold(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0) return static_cast<unsigned char>(c - 32);
    return c;
}

bool Starts_With_Folded(const char* line, const char* word) {
    for (size_t i = 0; word[i] != '\0'; ++i) {
        if (line[i] == '\0') return false;
        if (Fold(static_cast<unsigned char>(line[i])) != static_cast<unsigned char>(word[i]))
            return false;
    }
    return true;
}

// A decimal number as far as the digits go; huge ones stop growing.
int Read_Number(const char* p) {
    long long v = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (v < 1000000000) v = v * 10 + (*p - '0');
    return static_cast<int>(v > 0x7FFFFFFF ? 0x7FFFFFFF : v);
}

// The part of a line from character n on, or its end when it is shorter.
const char* From(const char* line, size_t n) {
    size_t len = strnlen(line, n);
    return line + len;
}

const char* Skip_Spaces(const char* p) {
    while (*p == ' ') ++p;
    return p;
}

void Copy_Cut(char* dst, size_t room, const char* src) {
    size_t len = strnlen(src, room - 1);
    std::memcpy(dst, src, len);
    dst[len] = '\0';
}

constexpr int Max_Records = 0xFFFF;  // the index records' 16-bit fields

}  // namespace

HS_Book::~HS_Book() {
    HS_Book_Free(this);
}

int Classify_Line(const char* line, int* number) {
    // The keywords are short, so looking at the line itself is the same as looking
    // at its first 99 characters.
    const char* head = line;
    if (Starts_With_Folded(head, "ГЛАВА")) {
        // One separator stands between the word and the number.
        *number = Read_Number(Skip_Spaces(From(line, 6)));
        return LINE_CHAPTER;
    }
    if (head[0] >= '1' && head[0] <= '9') {
        *number = Read_Number(line);
        return LINE_VERSE;
    }
    if (Starts_With_Folded(head, "HEADER")) return LINE_HEADER;
    return LINE_UNKNOWN;
}

void HS_Book_Free(HS_Book* b) {
    delete b->Raw_Text;
    delete b->Chapters;
    delete b->Verses;
    delete b->Headers;
    delete b->Verse_Texts;
    delete b->Header_Texts;
    b->Raw_Text = nullptr;
    b->Chapters = b->Verses = b->Headers = nullptr;
    b->Verse_Texts = b->Header_Texts = nullptr;
    b->Loaded = 0;
}

int HS_Book_Load(HS_Book* b, const char* path) {
    HS_Book_Free(b);
    b->Raw_Text = new (std::nothrow) Text_File();
    if (b->Raw_Text == nullptr || !Text_File_Read(b->Raw_Text, path)) {
        b->Loaded = 0;
        return 0;
    }
    Text_File_Format(b->Raw_Text);
    b->Loaded = 1;
    if (!HS_Book_Parse(b)) {
        b->Loaded = 0;
        return 0;
    }
    delete b->Raw_Text;
    b->Raw_Text = nullptr;
    return 1;
}

int HS_Book_Parse(HS_Book* b) {
    Text_File* t = b->Raw_Text;
    if (t == nullptr) return 0;
    // The two head lines; a file of one line repeats it, an empty one leaves them empty.
    Text_File_Seek_Line(t, 0);
    Copy_Cut(b->Head_Line, sizeof b->Head_Line, Current_Line(t));
    Next_Line(t);
    Copy_Cut(b->Head_Code, sizeof b->Head_Code, Current_Line(t));

    Report_Log("\nПроверка прочитанного текста");
    int chapters = 0, in_chapter = 0, verses = 0, headings = 0, errors = 0;
    // Bytes the pools will hold: the verse lines and heading texts from the first
    // chapter marker on, each with its NUL.
    uint64_t verse_bytes = 0, header_bytes = 0;
    // Counting goes by position: one wrong number is one fault, a missing line shifts
    // every later number of its kind.
    while (t->line + 1 < t->line_count) {
        Next_Line(t);
        const char* line = Current_Line(t);
        int number = 0;
        switch (Classify_Line(line, &number)) {
            case LINE_CHAPTER:
                ++chapters;
                in_chapter = 0;
                if (number != chapters) {
                    ++errors;
                    Report_Log("\n  Сбой главы, получена %d, ожидалась %d", number, chapters);
                }
                break;
            case LINE_VERSE:
                ++verses;
                ++in_chapter;
                if (chapters > 0) verse_bytes += static_cast<uint64_t>(t->length) + 1;
                if (number != in_chapter) {
                    ++errors;
                    Report_Log("\n  Сбой стихов в главе %d, ожидался %d, получен %d", chapters,
                               in_chapter, number);
                }
                break;
            case LINE_HEADER:
                ++headings;
                if (chapters > 0) header_bytes += std::strlen(Skip_Spaces(From(line, 7))) + 1;
                break;
            default:
                ++errors;
                Report_Log("\n  Error Text: Unknown Line, глава %d, стих %d \n  LINE:  %s",
                           chapters, in_chapter, line);
                break;
        }
    }
    Report_Log("\nПроверка текста закончена, ошибок: %d", errors);
    if (errors > 0) return 0;
    Report_Log("\n Глав: %d, Разделов: %d, стихов: %d \n", chapters, headings, verses);
    if (chapters == 0) {
        Report_Log("\n Error: в тексте нет ни одной главы");
        return 0;
    }
    if (chapters >= Max_Records || verses >= Max_Records || headings >= Max_Records) {
        Report_Log("\n Error: книга слишком велика: глав %d, стихов %d, разделов %d", chapters,
                   verses, headings);
        return 0;
    }

    b->Chapters = new (std::nothrow) Element_Storage(chapters + 1, 10, sizeof(Chapter_Rec));
    b->Verses = new (std::nothrow) Element_Storage(verses + 1, 100, sizeof(Verse_Rec));
    b->Headers = new (std::nothrow) Element_Storage(headings + 1, 100, sizeof(Header_Rec));
    // The pools are made the size they will need, so that nothing grows or is cut
    // down afterwards; they never exceed the formatted text.
    b->Verse_Texts = new (std::nothrow) String_Storage(static_cast<uint32_t>(verse_bytes + 12));
    b->Header_Texts = new (std::nothrow) String_Storage(static_cast<uint32_t>(header_bytes + 12));
    for (Element_Storage* s : {b->Chapters, b->Verses, b->Headers})
        if (s == nullptr) Report_Log("\n Class Element_Storage constructor error");
    if (!b->Chapters || b->Chapters->status != 1 || !b->Verses || b->Verses->status != 1 ||
        !b->Headers || b->Headers->status != 1 || !b->Verse_Texts || b->Verse_Texts->status != 1 ||
        !b->Header_Texts || b->Header_Texts->status != 1) {
        b->Loaded = 0;
        return 0;
    }

    // Build pass: lines before the first chapter marker were checked but are not kept.
    int number = 0;
    Text_File_Seek_Line(t, 2);
    while (Classify_Line(Current_Line(t), &number) != LINE_CHAPTER && t->line + 1 < t->line_count)
        Next_Line(t);
    int chapter = 0, in_ch = 0;
    auto close_chapter = [&] {
        ++chapter;
        Chapter_Rec rec{static_cast<uint16_t>(chapter), static_cast<uint16_t>(in_ch),
                        static_cast<uint16_t>(b->Verses->count - in_ch)};
        b->Chapters->Add_Element(&rec);
        in_ch = 0;
    };
    while (t->line + 1 < t->line_count) {
        Next_Line(t);
        const char* line = Current_Line(t);
        switch (Classify_Line(line, &number)) {
            case LINE_VERSE: {
                ++in_ch;
                Verse_Rec rec{b->Verse_Texts->used};
                b->Verses->Add_Element(&rec);
                b->Verse_Texts->Add_String(line, static_cast<size_t>(t->length));
                break;
            }
            case LINE_HEADER: {
                Header_Rec rec{static_cast<uint16_t>(chapter + 1), static_cast<uint16_t>(in_ch + 1),
                               b->Header_Texts->used};
                b->Header_Texts->Add_String(Skip_Spaces(From(line, 7)));
                b->Headers->Add_Element(&rec);
                break;
            }
            case LINE_CHAPTER:
                close_chapter();
                break;
            default:
                break;
        }
    }
    close_chapter();
    b->Verse_Texts->Shrink_To_Fit();
    b->Header_Texts->Shrink_To_Fit();
    return 1;
}

int Chapter_Count(const HS_Book* b) {
    return b != nullptr && b->Chapters != nullptr ? b->Chapters->count : 0;
}

int Verse_Count(const HS_Book* b, int chapter) {
    if (chapter < 1 || chapter > Chapter_Count(b)) return 0;
    return static_cast<const Chapter_Rec*>(b->Chapters->At(chapter - 1))->verse_count;
}

const char* Verse_Text(const HS_Book* b, int chapter, int verse) {
    if (verse < 1 || verse > Verse_Count(b, chapter) || b->Verses == nullptr ||
        b->Verse_Texts == nullptr)
        return nullptr;
    const auto* ch = static_cast<const Chapter_Rec*>(b->Chapters->At(chapter - 1));
    const auto* v = static_cast<const Verse_Rec*>(b->Verses->At(ch->first_verse + verse - 1));
    return v != nullptr ? b->Verse_Texts->At(v->offset) : nullptr;
}
