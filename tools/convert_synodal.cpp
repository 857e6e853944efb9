// convert_synodal: turns the Russian Synodal source text (UTF-8, one verse a line)
// into the game's 66 book files: Windows-1251, CR LF, heading line, short form,
// then "Глава N" markers and numbered verse lines.
//
//   convert_synodal SOURCE_DIR OUTPUT_DIR
//
// SOURCE_DIR holds books.tsv and the .bsv files; OUTPUT_DIR is data/HScripts.
// The same source always gives the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "scripture/book_table.h"

namespace {

struct Book_Row {
    int number;
    std::string source, stem, head_line;
};

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "convert_synodal: %s\n", why.c_str());
    std::exit(1);
}

std::string Read_File(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot read " + path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Split(const std::string& s, char sep, size_t max_parts = 0) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t at = s.find(sep, start);
        if (at == std::string::npos || (max_parts && out.size() + 1 == max_parts)) {
            out.push_back(s.substr(start));
            return out;
        }
        out.push_back(s.substr(start, at - start));
        start = at + 1;
    }
}

// One UTF-8 text to Windows-1251 as the game's fonts can draw it: ASCII, А..я, Ё, ё.
// Dashes become hyphens, a tab or no-break space a blank. Anything else is an error
// reported with where it stands.
std::string To_Cp1251(const std::string& utf8, const std::string& where) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        uint32_t cp;
        int len;
        if (c < 0x80) {
            cp = c, len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F, len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F, len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07, len = 4;
        } else {
            Fail(where + ": broken UTF-8");
        }
        if (i + len > utf8.size()) Fail(where + ": broken UTF-8");
        for (int k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(utf8[i + k]);
            if ((cc & 0xC0) != 0x80) Fail(where + ": broken UTF-8");
            cp = (cp << 6) | (cc & 0x3F);
        }
        i += len;
        if (cp == '\t' || cp == 0xA0) {
            out += ' ';
        } else if (cp >= 0x20 && cp < 0x7F) {
            out += static_cast<char>(cp);
        } else if (cp >= 0x410 && cp <= 0x44F) {
            out += static_cast<char>(0xC0 + (cp - 0x410));
        } else if (cp == 0x401) {
            out += static_cast<char>(0xA8);
        } else if (cp == 0x451) {
            out += static_cast<char>(0xB8);
        } else if (cp == 0x2013 || cp == 0x2014 || cp == 0x2012 || cp == 0x2212) {
            out += '-';
        } else {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", cp);
            Fail(where + ": character " + code + " has no letter the game can draw");
        }
    }
    return out;
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

void Convert(const Book_Row& row, const std::string& src_dir, const std::string& out_dir) {
    const int k = row.number - 1;
    if (row.stem != HS_File_Names[k])
        Fail("books.tsv: book " + std::to_string(row.number) + " has stem " + row.stem +
             ", the game knows it as " + HS_File_Names[k]);
    std::string out = To_Cp1251(row.head_line, "books.tsv, book " + std::to_string(row.number));
    if (out.size() > 127) Fail("heading of book " + std::to_string(row.number) + " is too long");
    out += "\r\n";
    out += HS_Abbrevs[k];
    out += "\r\n";
    int chapter = 0, verse = 0;
    std::istringstream lines(Read_File(src_dir + "/" + row.source));
    std::string line;
    while (std::getline(lines, line)) {
        if (Trim(line).empty()) continue;
        std::vector<std::string> f = Split(line, '|', 4);
        const std::string where = row.source + " (" + row.stem + ")";
        if (f.size() != 4) Fail(where + ": line is not BOOK|chapter|verse|text: " + line);
        const int ch = std::atoi(f[1].c_str()), vs = std::atoi(f[2].c_str());
        const std::string at = where + ", chapter " + f[1] + ", verse " + f[2];
        if (ch == chapter + 1 && vs == 1) {
            chapter = ch;
            verse = 0;
            out += "Глава " + std::to_string(chapter) + "\r\n";
        }
        if (ch != chapter || vs != verse + 1) Fail(at + ": verses out of order");
        verse = vs;
        const std::string text = Trim(To_Cp1251(f[3], at));
        if (text.empty()) Fail(at + ": empty verse");
        out += std::to_string(verse) + " " + text + "\r\n";
    }
    if (chapter == 0) Fail(row.source + ": no verses");
    std::ofstream file(out_dir + "/" + row.stem + ".txt", std::ios::binary | std::ios::trunc);
    file << out;
    if (!file) Fail("cannot write " + out_dir + "/" + row.stem + ".txt");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: convert_synodal SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    const std::string src = argv[1], dst = argv[2];
    std::vector<Book_Row> rows;
    std::istringstream tsv(Read_File(src + "/books.tsv"));
    std::string line;
    std::getline(tsv, line);  // column names
    while (std::getline(tsv, line)) {
        if (Trim(line).empty()) continue;
        std::vector<std::string> f = Split(line, '\t');
        if (f.size() != 4) Fail("books.tsv: bad line: " + line);
        rows.push_back({std::atoi(f[0].c_str()), f[1], f[2], Trim(f[3])});
    }
    if (rows.size() != HS_Book_Count) Fail("books.tsv must list 66 books");
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].number != static_cast<int>(i) + 1) Fail("books.tsv: books out of order");
        Convert(rows[i], src, dst);
    }
    std::printf("convert_synodal: wrote %zu books to %s\n", rows.size(), dst.c_str());
    return 0;
}
