// The reading record's file, its checks and what it adds up to.
#include "records/reading.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>

#include "core/bytes.h"
#include "core/report_log.h"
#include "core/system.h"
#include "game/play.h"
#include "platform/places.h"
#include "scripture/bible_shape.h"

namespace {

void Entry_Write(const Reading_Entry& e, uint8_t out[sizeof(Reading_Entry)]) {
    Le_Writer w(out, sizeof(Reading_Entry));
    w.U64(e.game);
    w.I32(e.session);
    w.U16(e.book);
    w.U16(e.chapter);
    w.I64(e.when);
}

Reading_Entry Entry_Read(const uint8_t in[sizeof(Reading_Entry)]) {
    Le_Reader r(in, sizeof(Reading_Entry));
    Reading_Entry e;
    e.game = r.U64();
    e.session = r.I32();
    e.book = r.U16();
    e.chapter = r.U16();
    e.when = r.I64();
    return e;
}

using Key = std::pair<uint64_t, int32_t>;  // a game and its session

uint64_t Fnv(uint64_t h, const void* bytes, size_t size) {
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 0x100000001B3ULL;
    return h;
}

}  // namespace

std::string Reading_Path(const char* player) {
    std::string name = "reading_";
    char hex[3];
    for (const char* p = player; *p != '\0'; ++p) {
        std::snprintf(hex, sizeof hex, "%02X", static_cast<uint8_t>(*p));
        name += hex;
    }
    return Plat_Path(PLACE_SAVES, name);
}

bool Reading_File_Write(const std::string& path, const Reading_Record& record, Sys_Failure* error,
                        const Durable_Ops& ops) {
    std::vector<uint8_t> bytes(sizeof(Reading_Head) + sizeof(Reading_Entry) * record.done.size());
    Le_Writer w(bytes.data(), sizeof(Reading_Head));
    w.U32(Reading_Magic);
    char name[32] = {};
    std::memcpy(name, record.player.data(), std::min(record.player.size(), sizeof name - 1));
    w.Bytes(name, sizeof name);
    w.U32(static_cast<uint32_t>(record.done.size()));
    for (size_t i = 0; i < record.done.size(); ++i)
        Entry_Write(record.done[i],
                    bytes.data() + sizeof(Reading_Head) + sizeof(Reading_Entry) * i);
    const File_Part part{bytes.data(), bytes.size()};
    const Sys_Failure failed = File_Write_Durably(path, &part, 1, ops);
    if (error != nullptr) *error = failed;
    return failed == Sys_Failure::Ok;
}

Reading_Read_Result Reading_Bytes_Read(const uint8_t* bytes, size_t size, Reading_Record* record,
                                       std::string* why) {
    if (size < sizeof(Reading_Head)) {
        *why = "длина файла " + std::to_string(size);
        return Reading_Read_Result::Damaged;
    }
    Le_Reader r(bytes, sizeof(Reading_Head));
    if (r.U32() != Reading_Magic) {
        *why = "метка файла";
        return Reading_Read_Result::Damaged;
    }
    char name[32];
    r.Bytes(name, sizeof name);
    const uint32_t count = r.U32();
    if (count > Reading_Max_Entries ||
        sizeof(Reading_Head) + sizeof(Reading_Entry) * size_t{count} != size) {
        *why = "число записей " + std::to_string(count);
        return Reading_Read_Result::Damaged;
    }
    if (std::memchr(name, '\0', sizeof name) == nullptr) {
        *why = "имя игрока";
        return Reading_Read_Result::Damaged;
    }
    Reading_Record read;
    read.player = name;
    read.done.reserve(count);
    std::set<Key> seen;
    for (uint32_t i = 0; i < count; ++i) {
        const Reading_Entry e =
            Entry_Read(bytes + sizeof(Reading_Head) + sizeof(Reading_Entry) * size_t{i});
        if (Bible_Chapter_Index(e.book, e.chapter) < 0 || e.game == 0 || e.session < 1) {
            *why = "запись " + std::to_string(i + 1);
            return Reading_Read_Result::Damaged;
        }
        if (!seen.insert({e.game, e.session}).second) {
            *why = "повтор записи " + std::to_string(i + 1);
            return Reading_Read_Result::Damaged;
        }
        read.done.push_back(e);
    }
    *record = std::move(read);
    return Reading_Read_Result::Ok;
}

Reading_Read_Result Reading_File_Read(const std::string& path, Reading_Record* record,
                                      std::string* why) {
    if (!Sys_Exists(path)) return Reading_Read_Result::Missing;
    constexpr int64_t Max_Size =
        sizeof(Reading_Head) + int64_t{sizeof(Reading_Entry)} * Reading_Max_Entries;
    std::vector<uint8_t> bytes;
    if (!File_Read_All(path.c_str(), &bytes, Max_Size)) {
        *why = Sys_Is_Folder(path) ? "это не файл" : "файл не читается или слишком велик";
        return Reading_Read_Result::Damaged;
    }
    return Reading_Bytes_Read(bytes.data(), bytes.size(), record, why);
}

Reading_Record Reading_Open(const char* player) {
    Reading_Record record;
    const std::string path = Reading_Path(player);
    std::string why;
    const Reading_Read_Result result = Reading_File_Read(path, &record, &why);
    if (result == Reading_Read_Result::Ok && record.player == player) return record;
    record = Reading_Record{};
    record.player = player;
    if (result == Reading_Read_Result::Missing) return record;
    if (result == Reading_Read_Result::Ok) why = "чужое имя игрока";
    // Kept aside, never overwritten: the first free name of path.damaged, .damaged2...
    std::string aside = path + ".damaged";
    for (int n = 2; Sys_Exists(aside) && n <= 99; ++n)
        aside = path + ".damaged" + std::to_string(n);
    const Sys_Failure moved = Sys_Replace(path, aside);
    Report_Log("\n Файл прочитанного %s поврежден (%s)", path.c_str(), why.c_str());
    if (moved == Sys_Failure::Ok)
        Report_Log(": отложен как %s, начат новый", aside.c_str());
    else
        Report_Log(": отложить его не удалось, начат новый");
    return record;
}

int Reading_Add_Game(Reading_Record* record, uint64_t game, const Session_List& sessions,
                     int64_t now) {
    std::set<Key> known;
    for (const Reading_Entry& e : record->done) known.insert({e.game, e.session});
    int added = 0;
    for (const Session_Record& s : sessions) {
        if (s.success == 0 || Bible_Chapter_Index(s.book, s.chapter) < 0 || s.session_number < 1)
            continue;
        if (record->done.size() >= Reading_Max_Entries) break;
        if (!known.insert({game, s.session_number}).second) continue;
        Reading_Entry e;
        e.game = game;
        e.session = s.session_number;
        e.book = static_cast<uint16_t>(s.book);
        e.chapter = static_cast<uint16_t>(s.chapter);
        e.when = now;
        record->done.push_back(e);
        ++added;
    }
    return added;
}

uint64_t Reading_Free_Game_Id(const Reading_Record& record, uint64_t id) {
    std::set<uint64_t> known;
    for (const Reading_Entry& e : record.done) known.insert(e.game);
    while (id == 0 || known.count(id) != 0) id = Fnv(0xCBF29CE484222325ULL, &id, sizeof id);
    return id;
}

uint64_t Reading_Saved_Game_Id(const Game_Progress& progress, const Session_List& sessions) {
    // The game's first session stays in its diary however it is sorted; with the
    // player's name it tells the game from any other.
    const Session_Record* first = nullptr;
    for (const Session_Record& s : sessions)
        if (first == nullptr || s.session_number < first->session_number) first = &s;
    if (first == nullptr) return New_Game_Id(progress.Player_Name);
    uint8_t bytes[sizeof(Session_Record)];
    Session_Write(*first, bytes);
    uint64_t h = 0xCBF29CE484222325ULL;
    h = Fnv(h, progress.Player_Name, strnlen(progress.Player_Name, sizeof progress.Player_Name));
    h = Fnv(h, bytes, sizeof bytes);
    return h != 0 ? h : 1;
}

Reading_Summary Reading_Summarize(const Reading_Record& record, uint64_t game) {
    Reading_Summary sum;
    sum.marks.resize(Bible_Chapter_Total);
    std::set<int64_t> days;
    for (const Reading_Entry& e : record.done) {
        const int at = Bible_Chapter_Index(e.book, e.chapter);
        if (at < 0) continue;
        Reading_Mark& m = sum.marks[static_cast<size_t>(at)];
        if (m.count == 0 || e.when < m.first) m.first = e.when;
        m.count += 1;
        m.this_game = m.this_game || (game != 0 && e.game == game);
        Sys_Date d;
        if (Sys_Local_Date(e.when, &d)) days.insert((int64_t{d.year} * 13 + d.month) * 32 + d.day);
    }
    sum.days = static_cast<int>(days.size());
    for (int book = 1; book <= 66; ++book) {
        bool whole = true;
        for (int c = 1; c <= Bible_Chapters(book); ++c) {
            if (sum.marks[static_cast<size_t>(Bible_Chapter_Index(book, c))].count == 0) {
                whole = false;
                continue;
            }
            sum.chapters += 1;
            sum.verses += Bible_Verses(book, c);
            sum.book_read[book] += 1;
            sum.book_last[book] = c;
        }
        if (whole) sum.books += 1;
    }
    return sum;
}
