// The polled music player and the session playlist.
#include "audio/music.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <set>
#include <string>

#include "audio/sound.h"
#include "core/files.h"
#include "core/report_log.h"
#include "platform/platform.h"

Music_Player* Music = nullptr;

namespace {
std::set<std::string> Failed_Files;

Music_Player* Player() {
    return Music != nullptr && Music->ready ? Music : nullptr;
}
}  // namespace

Music_Player* Music_Init(Music_Player* player) {
    Report_Log("\n Инициализация воспроизводителя MP3-файлов ...");
    player->playing = 0;
    player->loop = 0;
    player->ready = 1;
    Report_Log("OK");
    // Without a device nothing is heard anyway, and the start-up has said so.
    if (Sound_Device_Open() && !Plat_Audio_Mp3()) {
        Report_Log("\n Error: SDL_mixer не умеет играть MP3, музыки не будет");
        std::fprintf(stderr,
                     "veltran: this SDL_mixer cannot play MP3; the game runs without music\n");
    }
    return player;
}

void Music_Clear_Graph() {
    Music_Player* m = Player();
    if (m == nullptr) return;
    if (m->playing) {
        Plat_Music_Stop();
        Plat_Music_Close();
    }
    m->playing = 0;
}

void Music_Play(const char* path, int loop) {
    Music_Player* m = Player();
    if (m == nullptr) return;
    std::snprintf(m->file_name, sizeof m->file_name, "%s", path);
    m->loop = loop;
    Music_Clear_Graph();
    // A file that cannot be played still counts as the current one; it has ended.
    // Each such file is reported once.
    m->failed = Plat_Music_Open(path, loop != 0) ? 0 : 1;
    if (m->failed && Failed_Files.insert(path).second)
        Report_Log("\n Error Play MP3 File: %s", path);
    Plat_Music_Set_Position(0);
    Plat_Music_Run();
    m->playing = 1;
}

int Music_Stop() {
    Music_Player* m = Player();
    if (m == nullptr || !m->playing) return 0;
    Plat_Music_Stop();
    Music_Clear_Graph();
    return 1;
}

int Music_Rewind() {
    Music_Player* m = Player();
    if (m == nullptr || !m->playing) return 0;
    Plat_Music_Stop();
    Plat_Music_Set_Position(0);
    Plat_Music_Run();
    return 1;
}

int Music_Update() {
    Music_Player* m = Player();
    if (m == nullptr || !m->playing || m->failed) return 0;
    Plat_Music_Polled();
    if (Plat_Music_State() != PLAT_MUSIC_RUNNING) Plat_Music_Run();
    if (!Plat_Music_Ended()) return 1;
    // At the end: a looping tune starts again, any other stops there.
    if (m->loop)
        Music_Rewind();
    else
        Plat_Music_Stop();
    return 0;
}

int Music_Seek(int64_t position) {
    // Past the end means the end; a tune of unknown length is taken at its word.
    const int64_t stop = Plat_Music_Length();
    Plat_Music_Set_Position(Plat_Music_Length_Known() ? std::min(position, stop) : position);
    return 1;
}

void Music_Release() {
    Music_Clear_Graph();
    Plat_Music_Close();
    delete Music;
    Music = nullptr;
}

Session_Playlist::~Session_Playlist() {
    delete names;
}

int Playlist_Count(const Session_Playlist* list) {
    return list->names != nullptr ? list->names->count : 0;
}

const char* Playlist_Name(const Session_Playlist* list, int index) {
    if (list->names == nullptr || index < 0 || index >= list->names->count) return nullptr;
    uint32_t at = 0;
    for (int i = 0; i < index; ++i)
        at += static_cast<uint32_t>(std::strlen(list->names->At(at))) + 1;
    return list->names->At(at);
}

void Playlist_Build(Session_Playlist* list) {
    delete list->names;
    list->names = new (std::nothrow) String_Storage(2048);
    if (list->names == nullptr) return;
    std::vector<std::string> found = Files_Ending_In("MUSIC_SESIONS", ".mp3");
    // In name order, so that a seed always draws the same tracks.
    std::sort(found.begin(), found.end());
    for (const std::string& name : found) list->names->Add_String(name.c_str());
    list->unplayable.assign(found.size(), 0);
}

void Playlist_Create(Session_Playlist* list) {
    if (Music != nullptr && Music->playing) {
        Plat_Music_Stop();
        Music_Clear_Graph();
    }
    Playlist_Build(list);
    list->order = 2;
    const int count = Playlist_Count(list);
    list->index = count > 0 ? Plat_Rand() % count : 0;
    list->saved_position = 0;
}

namespace {
constexpr char Tracks_Folder[] = "MUSIC_SESIONS/";

std::string Track_Path(const Session_Playlist* list) {
    const char* name = Playlist_Name(list, list->index);
    return std::string(Tracks_Folder) + (name != nullptr ? name : "");
}

// Whether the player holds the track at the index: asked every frame, so the path
// is compared in its two parts, not built.
bool Holds_Track(const Session_Playlist* list) {
    const char* name = Playlist_Name(list, list->index);
    constexpr size_t Folder_Length = sizeof Tracks_Folder - 1;
    return std::strncmp(Music->file_name, Tracks_Folder, Folder_Length) == 0 &&
           std::strcmp(Music->file_name + Folder_Length, name != nullptr ? name : "") == 0;
}

bool Unplayable(const Session_Playlist* list, int i) {
    return i >= 0 && static_cast<size_t>(i) < list->unplayable.size() && list->unplayable[i] != 0;
}

// Moves the index to the first track from it on that can play; false when none can.
bool Skip_Unplayable(Session_Playlist* list) {
    const int count = Playlist_Count(list);
    for (int k = 0; k < count; ++k) {
        const int i = (list->index + k) % count;
        if (!Unplayable(list, i)) {
            list->index = i;
            return true;
        }
    }
    return false;
}

// Plays the track at the index; one that fails is left out from now on.
void Play_Track(Session_Playlist* list) {
    Music_Play(Track_Path(list).c_str(), 0);
    if (Music != nullptr && Music->failed &&
        static_cast<size_t>(list->index) < list->unplayable.size())
        list->unplayable[list->index] = 1;
}
}  // namespace

void Playlist_Play_Current(Session_Playlist* list) {
    const int count = Playlist_Count(list);
    if (count == 0) return;
    if (list->index >= count) list->index = 0;
    if (!Skip_Unplayable(list)) return;
    list->saved_position = 0;
    Play_Track(list);
}

void Playlist_Update(Session_Playlist* list) {
    const int count = Playlist_Count(list);
    if (count == 0 || Player() == nullptr) return;
    // When no track can play there is nothing to do, every pass; a track that could
    // not play gives way to the next one, from its start.
    const int was = list->index;
    if (!Skip_Unplayable(list)) return;
    if (list->index != was) {
        Playlist_Play_Current(list);
        return;
    }
    if (Holds_Track(list)) {
        list->saved_position = Music->playing ? Plat_Music_Position() : 0;
        if (Music_Update() == 0) {
            list->index = Plat_Rand() % count;
            Playlist_Play_Current(list);
        }
        return;
    }
    // A cue played meanwhile: take the session track up where it was left.
    Play_Track(list);
    if (Music->playing) Plat_Music_Pause();
    Music_Seek(list->saved_position);
    if (Music->playing) Plat_Music_Run();
}
