// Reading and writing slot files, and their checks.
#include "game/slot_file.h"

#include <cstdio>
#include <cstring>

#include "core/bytes.h"
#include "core/files.h"
#include "core/report_log.h"
#include "platform/places.h"
#include "core/system.h"

namespace {

bool Cells_Sane(const Stone_Cell* cells) {
    for (int i = 0; i < Cell_Rows * Cell_Cols; ++i) {
        const Stone_Cell& c = cells[i];
        if (c.kind < 0 || c.kind > 8 || c.frame < 0 || c.frame > 7 ||
            (c.frame_step != 1 && c.frame_step != -1))
            return false;
    }
    return true;
}

// Values no game can reach, which the screens would trip over.
const char* Progress_Fault(const Game_Progress& g) {
    if (g.Book_Index < 1 || g.Book_Index > 66) return "номер книги";
    if (g.Chapter < 1 || g.Chapter > 0xFFFF || g.Verse < 1 || g.Verse > 0x10000)
        return "глава или стих";
    if (g.Letters < 0 || g.Ses_Letters < 0 || g.Session_Number < 0) return "счетчики";
    if (g.Session_End < 0 || g.Session_End > 2 || (g.Game_Over != 0 && g.Game_Over != 1) ||
        (g.Book_Done != 0 && g.Book_Done != 1))
        return "состояние сессии";
    if (g.Chapters_Back < 0 || g.Chapters_Back > 5) return "число повторяемых глав";
    for (uint8_t read : g.Book_Read)
        if (read > 1) return "прочитанные книги";
    return nullptr;
}

}  // namespace

std::string Slot_Path(int slot) {
    return Plat_Path(PLACE_SAVES, "slot" + std::to_string(slot));
}

bool Slot_Folder_Ready() {
    const std::string folder = Plat_Place_Folder(PLACE_SAVES);
    if (Sys_Make_Folders(folder) == Sys_Failure::Ok) return true;
    Report_Log("\n Error: не удалось создать папку сохранений %s", folder.c_str());
    return false;
}

void Slot_Header_Write(const Slot_Header& h, uint8_t out[sizeof(Slot_Header)]) {
    Le_Writer w(out, sizeof(Slot_Header));
    w.U32(h.magic);
    w.I32(h.slot);
    w.I32(h.in_use);
    w.Bytes(h.name, sizeof h.name);
    w.I32(h.book);
    w.I64(h.saved);
}

void Slot_Header_Read(const uint8_t in[sizeof(Slot_Header)], Slot_Header* h) {
    Le_Reader r(in, sizeof(Slot_Header));
    h->magic = r.U32();
    h->slot = r.I32();
    h->in_use = r.I32();
    r.Bytes(h->name, sizeof h->name);
    h->name[sizeof h->name - 1] = '\0';
    h->book = r.I32();
    h->saved = r.I64();
}

bool Slot_Header_Sane(const Slot_Header& h) {
    return h.magic == Slot_Magic && h.book >= 1 && h.book <= 66;
}

bool Slot_File_Write(const std::string& path, const Slot_Data& data, Sys_Failure* error,
                     const Slot_File_Ops& ops) {
    std::vector<uint8_t> bytes(Slot_Records_At + sizeof(Session_Record) * data.records.size());
    Slot_Header_Write(data.header, bytes.data());
    Progress_Write(data.progress, bytes.data() + Slot_Progress_At);
    Cells_Write(data.cells, bytes.data() + Slot_Cells_At);
    Put_Le32(bytes.data() + Slot_Count_At, static_cast<uint32_t>(data.records.size()));
    for (size_t i = 0; i < data.records.size(); ++i)
        Session_Write(data.records[i], bytes.data() + Slot_Records_At + sizeof(Session_Record) * i);
    // Written in two parts, the head first, as a program cut short would leave it.
    const File_Part parts[2] = {{bytes.data(), Slot_Progress_At},
                                {bytes.data() + Slot_Progress_At, bytes.size() - Slot_Progress_At}};
    const Sys_Failure failed = File_Write_Durably(path, parts, 2, ops);
    if (error != nullptr) *error = failed;
    return failed == Sys_Failure::Ok;
}

Slot_Read_Result Slot_File_Read(const std::string& path, Slot_Data* data, std::string* why) {
    FILE* f = Sys_Open(path, "rb");
    // A folder of the slot's name is no slot (where the system opens folders at all,
    // it says so by their size).
    const int64_t size = f != nullptr ? File_Size(f) : Sys_Is_Folder(path) ? -1 : -2;
    if (f != nullptr) std::fclose(f);
    if (size == -2) return Slot_Read_Result::Missing;
    // A slot of a million sessions is no slot.
    constexpr int64_t Max_Size = Slot_Records_At + int64_t{sizeof(Session_Record)} * 1000000;
    std::vector<uint8_t> bytes;
    if (size < 0) {
        *why = "это не файл";
        return Slot_Read_Result::Damaged;
    }
    if (size < static_cast<int64_t>(Slot_Records_At) || size > Max_Size ||
        !File_Read_All(path.c_str(), &bytes, Max_Size)) {
        *why = "длина файла " + std::to_string(size);
        return Slot_Read_Result::Damaged;
    }
    Slot_Data d;
    Slot_Header_Read(bytes.data(), &d.header);
    if (d.header.magic != Slot_Magic) {
        *why = "метка файла";
        return Slot_Read_Result::Damaged;
    }
    const int32_t n = static_cast<int32_t>(Get_Le32(bytes.data() + Slot_Count_At));
    if (n < 0 || static_cast<int64_t>(Slot_Records_At) + int64_t{n} * 52 != size) {
        *why = "число сессий " + std::to_string(n);
        return Slot_Read_Result::Damaged;
    }
    Progress_Read(bytes.data() + Slot_Progress_At, &d.progress);
    if (const char* fault = Progress_Fault(d.progress)) {
        *why = fault;
        return Slot_Read_Result::Damaged;
    }
    Cells_Read(bytes.data() + Slot_Cells_At, d.cells);
    if (!Cells_Sane(d.cells)) {
        *why = "клетки поля";
        return Slot_Read_Result::Damaged;
    }
    d.records.resize(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        Session_Read(bytes.data() + Slot_Records_At + sizeof(Session_Record) * i, &d.records[i]);
    *data = std::move(d);
    return Slot_Read_Result::Ok;
}
