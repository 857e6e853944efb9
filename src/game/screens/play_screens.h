// What the game's screens do as play goes on: a new session's look, the sounds of
// a landing, each verse that opens in its reading box and the running line.
#pragma once

// Attaches them to the rules of play (once a game is laid out).
void Play_Screens_Attach();
