// One book of Scripture parsed from its text file: chapters, verses and section
// headings over two pools of text, read by chapter and verse number from 1.
#pragma once

#include <cstdint>

#include "core/storage.h"
#include "scripture/text_file.h"

enum Line_Kind { LINE_UNKNOWN = 0, LINE_CHAPTER = 1, LINE_VERSE = 2, LINE_HEADER = 3 };

#pragma pack(push, 1)
struct Chapter_Rec {
    uint16_t number;  // the running count of chapter markers, from 1
    uint16_t verse_count;
    uint16_t first_verse;  // index of the chapter's first verse record
};
struct Verse_Rec {
    uint32_t offset;  // of the verse line in Verse_Texts
};
struct Header_Rec {
    uint16_t chapter;
    uint16_t next_verse;  // the verse that follows the heading
    uint32_t offset;      // of the heading text in Header_Texts
};
#pragma pack(pop)
static_assert(sizeof(Chapter_Rec) == 6 && sizeof(Verse_Rec) == 4 && sizeof(Header_Rec) == 8);

struct HS_Book {
    char Head_Line[128] = {};
    char Head_Code[10] = {};
    int32_t Loaded = 0;
    Element_Storage* Chapters = nullptr;
    Element_Storage* Verses = nullptr;
    Element_Storage* Headers = nullptr;
    String_Storage* Verse_Texts = nullptr;
    String_Storage* Header_Texts = nullptr;
    Text_File* Raw_Text = nullptr;  // only while loading

    HS_Book() = default;
    ~HS_Book();
    HS_Book(const HS_Book&) = delete;
    HS_Book& operator=(const HS_Book&) = delete;
};

// Reads, checks and parses a book file; 1 on success. Every fault goes to the log.
int HS_Book_Load(HS_Book* book, const char* path);
void HS_Book_Free(HS_Book* book);
int HS_Book_Parse(HS_Book* book);

// The kind of a body line; for chapter markers and verse lines also its number.
int Classify_Line(const char* line, int* number);

// The whole stored verse line, number included, or null outside the book. A book
// that is not there has no chapters.
const char* Verse_Text(const HS_Book* book, int chapter, int verse);
int Chapter_Count(const HS_Book* book);
int Verse_Count(const HS_Book* book, int chapter);
