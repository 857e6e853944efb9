// The shape of the whole Bible as the game's books hold it: how many chapters each
// of the 66 books has and how many verses each chapter, known even for books whose
// files are not there.
#pragma once

constexpr int Bible_Chapter_Total = 1189;
constexpr int Bible_Verse_Total = 31178;

// Chapters of book k (1..66); 0 outside the table.
int Bible_Chapters(int book);
// Verses of a chapter; 0 outside the book.
int Bible_Verses(int book, int chapter);
// The place of a chapter among all 1,189 (0 for Genesis 1), or -1 outside the Bible.
int Bible_Chapter_Index(int book, int chapter);
