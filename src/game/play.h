// The rules of play: a new game and each new session, then what turns a landed
// block into a game's progress (points and rows to the session, every four points
// a letter, letters into verses, a stone in the top row ending the session), a
// session's record and the storage settled, and the next chapter. Screens watch
// play through hooks.
#pragma once

#include "game/game_state.h"

// What the screens do as play goes on; without hooks it goes on unseen.
// session_started: a new session's board has just been cleared (a new picture).
// landed: a block landed; its points and rows are in the board (sounds).
// show_verse: the verse now opening (Progress.Verse), before it is counted.
// verses_changed: the verse after it is due, the chapter going on.
struct Play_Hooks {
    void (*session_started)(Game_State* state);
    void (*landed)(Game_State* state);
    void (*show_verse)(Game_State* state);
    void (*verses_changed)(Game_State* state);
};
void Play_Attach(const Play_Hooks* hooks);

// A new game for the player: every counter at its start, a new id, no book yet, no
// session.
void Game_Start_New(Game_State* state, const char* player_name);
// An id for a new game of the player: never 0, and never the same twice.
uint64_t New_Game_Id(const char* player_name);
// The book just loaded is read from its first chapter.
void Game_Begin_Book(Game_State* state);
// A new session on the current chapter: the next session number, its counters
// from zero, verse 1 and a clear board.
void Session_Start(Game_State* state);

// Adds n letters; opens every verse they reach. 1 while the chapter goes on, 0 once
// its last verse has opened.
int Add_Letters(Game_State* state, int n);
// Opens the verse now due (shown through the hook) and moves on; 0 when it was the
// chapter's last.
int Open_Next_Verse(Game_State* state);

// One tick of the falling block: the keys and the fall, and when it lands, its
// landing settled at once. True when it landed.
bool Block_Tick(Game_State* state, int* carry);
// What a landed block brings: its points and rows to the session, every 4 points
// of the carry a letter, and the end of the session when the top row is reached.
void Landing_Settle(Game_State* state, int* carry);
// Whether any stone of the top row is set (the session fails).
bool Top_Row_Reached(Build_Area* area);

// The share of the chapter's letters gathered, in per cent (100 for a chapter
// without letters).
int Session_Percent(int letters_gathered, int letters_total);
// The penalty of a failed session: between 0.8 and 8 points for every letter the
// chapter still lacked (one draw of rand).
int Session_Penalty(int letters_total, int letters_gathered);
// The record of the session that just ended, with the storage settled: a completed
// session's figures added, a failed one's penalty taken (its draw of rand).
Session_Record Session_Settle(Game_State* state);
// The record into the diary's list; the session is over.
void Session_Close(Game_State* state, const Session_Record& record);
// The next chapter after a completed one: 1 while the book goes on, 0 when it was
// the last (the book is done and the last chapter stays current).
int Chapter_Advance(Game_State* state);
