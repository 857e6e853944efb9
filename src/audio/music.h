// The music player: one MP3 at a time, polled by the screens (a looping cue
// restarts only where a screen polls), and the session playlist that plays the
// session tunes in random order and takes its track back up after a cue.
#pragma once

#include <cstdint>
#include <vector>

#include "core/storage.h"

struct Music_Player {
    int32_t playing = 0;  // 1 from Music_Play until Music_Clear_Graph
    int32_t loop = 0;
    int32_t ready = 0;
    char file_name[260] = {};
    int32_t failed = 0;  // the file last given could not be played (it counts as ended)
};

// The program's one player, made at start-up.
extern Music_Player* Music;

Music_Player* Music_Init(Music_Player* player);
void Music_Play(const char* path, int loop);
int Music_Stop();
int Music_Update();
int Music_Rewind();
int Music_Seek(int64_t position);
void Music_Clear_Graph();
void Music_Release();

struct Session_Playlist {
    String_Storage* names = nullptr;  // file names in MUSIC_SESIONS
    int32_t index = 0;
    int64_t saved_position = 0;
    int32_t order = 2;
    std::vector<uint8_t> unplayable;  // 1 for a track that failed to play: skipped

    Session_Playlist() = default;
    ~Session_Playlist();
    Session_Playlist(const Session_Playlist&) = delete;
    Session_Playlist& operator=(const Session_Playlist&) = delete;
};

void Playlist_Build(Session_Playlist* list);
// The game screen's set-up: stops what plays, builds the list, draws the first track.
void Playlist_Create(Session_Playlist* list);
void Playlist_Play_Current(Session_Playlist* list);
void Playlist_Update(Session_Playlist* list);
int Playlist_Count(const Session_Playlist* list);
// The name at an index, or null.
const char* Playlist_Name(const Session_Playlist* list, int index);
