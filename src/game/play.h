// The rules of play that turn a landed block into a game's progress: points and
// rows to the session, every four points a letter, letters into verses, a stone in
// the top row ending the session; then a session's record and the storage settled,
// and the next chapter. Screens watch the verses open through hooks.
#pragma once

#include "game/game_state.h"

// What the screens do when a verse opens: show_verse runs with the verse now
// opening (Progress.Verse) before it is counted; verses_changed after it, when the
// chapter goes on. Without hooks verses open unseen.
struct Reading_Hooks {
    void (*show_verse)(Game_State* state);
    void (*verses_changed)(Game_State* state);
};
void Reading_Attach(const Reading_Hooks* hooks);

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
