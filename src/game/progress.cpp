// Little-endian reading and writing of the game's file records.
#include "game/progress.h"

#include <initializer_list>

#include "core/bytes.h"

void Progress_Write(const Game_Progress& g, uint8_t out[sizeof(Game_Progress)]) {
    Le_Writer w(out, sizeof(Game_Progress));
    w.Bytes(g.Player_Name, sizeof g.Player_Name);
    w.Bytes(g.Book_Read, sizeof g.Book_Read);
    for (int32_t v : {g.Game_Over, g.Book_Done, g.Session_End, g.Book_Index}) w.I32(v);
    w.Bytes(g.Book_Title, sizeof g.Book_Title);
    for (int32_t v :
         {g.Chapter, g.Verse, g.Letters, g.Chapters_Back, g.Session_Number, g.Store_Sessions,
          g.Store_Verses, g.Store_Letters, g.Store_Points, g.Store_Rows, g.Store_Blocks,
          g.Ses_Points, g.Ses_Blocks, g.Ses_Rows, g.Ses_Letters, g.Ses_Verses})
        w.I32(v);
    w.I64(g.Ses_Start);
    w.U64(g.Game_Id);
}

void Progress_Read(const uint8_t in[sizeof(Game_Progress)], Game_Progress* g) {
    Le_Reader r(in, sizeof(Game_Progress));
    r.Bytes(g->Player_Name, sizeof g->Player_Name);
    r.Bytes(g->Book_Read, sizeof g->Book_Read);
    // Fields of the packed block are assigned one by one: they are not aligned.
    g->Game_Over = r.I32();
    g->Book_Done = r.I32();
    g->Session_End = r.I32();
    g->Book_Index = r.I32();
    r.Bytes(g->Book_Title, sizeof g->Book_Title);
    g->Chapter = r.I32();
    g->Verse = r.I32();
    g->Letters = r.I32();
    g->Chapters_Back = r.I32();
    g->Session_Number = r.I32();
    g->Store_Sessions = r.I32();
    g->Store_Verses = r.I32();
    g->Store_Letters = r.I32();
    g->Store_Points = r.I32();
    g->Store_Rows = r.I32();
    g->Store_Blocks = r.I32();
    g->Ses_Points = r.I32();
    g->Ses_Blocks = r.I32();
    g->Ses_Rows = r.I32();
    g->Ses_Letters = r.I32();
    g->Ses_Verses = r.I32();
    g->Ses_Start = r.I64();
    g->Game_Id = r.U64();
    // The name and title are NUL-terminated whatever the file held.
    g->Player_Name[sizeof g->Player_Name - 1] = '\0';
    g->Book_Title[sizeof g->Book_Title - 1] = '\0';
}

void Session_Write(const Session_Record& s, uint8_t out[sizeof(Session_Record)]) {
    Le_Writer w(out, sizeof(Session_Record));
    for (int32_t v :
         {s.book, s.chapter, s.verses_opened, s.verses_total, s.letters_opened, s.letters_total,
          s.session_number, s.points, s.blocks, s.rows, s.success, s.penalty, s.duration})
        w.I32(v);
}

void Session_Read(const uint8_t in[sizeof(Session_Record)], Session_Record* s) {
    Le_Reader r(in, sizeof(Session_Record));
    for (int32_t* f : {&s->book, &s->chapter, &s->verses_opened, &s->verses_total,
                       &s->letters_opened, &s->letters_total, &s->session_number, &s->points,
                       &s->blocks, &s->rows, &s->success, &s->penalty, &s->duration})
        *f = r.I32();
}

void Cells_Write(const Stone_Cell cells[Cell_Rows * Cell_Cols], uint8_t out[Cells_Bytes]) {
    Le_Writer w(out, Cells_Bytes);
    for (int i = 0; i < Cell_Rows * Cell_Cols; ++i) {
        const Stone_Cell& c = cells[i];
        w.I32(c.kind);
        w.I32(c.reserved);
        w.I32(c.frame);
        w.I32(c.frame_step);
        w.U32(c.last_step);
        w.I32(c.step_period);
    }
}

void Cells_Read(const uint8_t in[Cells_Bytes], Stone_Cell cells[Cell_Rows * Cell_Cols]) {
    Le_Reader r(in, Cells_Bytes);
    for (int i = 0; i < Cell_Rows * Cell_Cols; ++i) {
        Stone_Cell& c = cells[i];
        c.kind = r.I32();
        c.reserved = r.I32();
        c.frame = r.I32();
        c.frame_step = r.I32();
        c.last_step = r.U32();
        c.step_period = r.I32();
    }
}
