// The operating system's services the program uses, behind one seam: files and
// folders (files_*.cpp) and the rest of the system (system_*.cpp), one file of each
// for every system the game is built for. Paths are UTF-8 with '/' between their
// parts; each system converts them at its own door.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Why writing a file failed, as far as the player is told (Ok: it did not).
enum class Sys_Failure { Ok, No_Space, No_Permission, Other };
// The reason in a few English words, for messages on stderr.
const char* Sys_Failure_Text(Sys_Failure why);

// --- files and folders ------------------------------------------------------------

// Opens a file as fopen does, in binary ("rb", "wb", "ab"); null when it cannot.
FILE* Sys_Open(const std::string& path, const char* mode);
// Bytes in an open regular file; -1 for anything else (a folder, a pipe, a device).
int64_t Sys_Size_Of(FILE* file);
bool Sys_Is_Folder(const std::string& path);
bool Sys_Exists(const std::string& path);
// The names in a folder ("." and ".." left out), in no particular order; none when
// it cannot be read.
std::vector<std::string> Sys_Folder_Names(const std::string& path);
// Makes the folder and the parents it lacks. None when the folder is there
// afterwards; a file standing in its way is left alone (Other).
Sys_Failure Sys_Make_Folders(const std::string& path);
// Whether a file can be made in the folder.
bool Sys_Can_Write_Into(const std::string& folder);
void Sys_Remove(const std::string& path);

// A file written to last: made new (an old one of its name emptied), its bytes
// taken as they are, flushed to the disk, then put in place of another file in one
// step, so that a write cut short at any point leaves that file as it was.
struct Sys_File;
Sys_File* Sys_Create(const std::string& path, Sys_Failure* why);
// All the bytes, or why not (a write that takes nothing means a full disk).
Sys_Failure Sys_Write(Sys_File* file, const void* bytes, size_t size);
Sys_Failure Sys_Flush(Sys_File* file);
// Closes the file (always); why the close failed, if it did.
Sys_Failure Sys_Close(Sys_File* file);
// Puts the file `from` in place of `to` (replacing it) in one step, the change
// itself on the disk when it returns Ok.
Sys_Failure Sys_Replace(const std::string& from, const std::string& to);
// The same step without waiting for the disk: for files the game makes again at
// every start, which must only never be seen half written.
Sys_Failure Sys_Rename_Over(const std::string& from, const std::string& to);
// A name beside path that no other copy of the game running now makes: path, this
// process's number and ".new".
std::string Sys_Own_Name(const std::string& path);
// Makes the last changes in a folder (a file put in place there) outlast the
// program and the machine: a disk's folder entry is flushed (only tried: the file
// is in place whatever it says); the browser's storage takes the player's folder,
// and a failure to store it is told.
Sys_Failure Sys_Settle(const std::string& folder);

// --- files that come later, and files for the player ------------------------------

// Whether a content file has arrived: the browser fetches the books and the music
// after the game has started, and one asked for here that has not arrived comes
// next. Elsewhere every file is there from the start.
bool Sys_File_Here(const std::string& path);
// Waits until a content file that comes later has arrived, asking for it first
// (Sys_Open does, for reading); at once when it is here.
void Sys_Await_File(const std::string& path);
// Hands the player a file the game made for them (a screenshot): where it lies in
// the player's own folders already, nothing; the browser downloads it.
void Sys_Offer_File(const std::string& path);

// --- the program's places ---------------------------------------------------------

// The folder the executable lies in; "" when the system does not say.
std::string Sys_Program_Folder();
// The full path of a relative one (links resolved where the system has them); the
// path itself when it cannot be worked out.
std::string Sys_Full_Path(const std::string& path);
std::string Sys_Current_Folder();
// Makes the folder the working folder; false with the system's reason.
bool Sys_Enter_Folder(const std::string& path, std::string* why);

// The player's own folders for what an installed game writes, each the game's own
// folder in the system's place for it (they may be one and the same).
enum class Sys_User_Place { State, Data, Cache, Config };
std::string Sys_User_Folder(Sys_User_Place place);

// --- time -------------------------------------------------------------------------

// A moment in the local calendar.
struct Sys_Date {
    int year = 0, month = 0, day = 0;  // month 1..12
    int weekday = 0;                   // 0 Sunday .. 6 Saturday
    int hour = 0, minute = 0, second = 0;
};
// The local date of seconds since 1970-01-01 UTC; false when the system cannot say.
bool Sys_Local_Date(int64_t seconds, Sys_Date* out);
// Now, in seconds since 1970-01-01 UTC and the milliseconds within the second.
int64_t Sys_Now(int* millis = nullptr);
// Nanoseconds of a clock that only moves forward, from an arbitrary start.
uint64_t Sys_Monotonic_Ns();
// Sleeps (never spins, and lets the system go on) until the monotonic clock reaches
// the deadline.
void Sys_Sleep_Until(uint64_t monotonic_ns);

// --- the machine ------------------------------------------------------------------

// Memory the program holds: its heap in use, and its resident size now and at most
// (kB; 0 where the system does not tell).
struct Sys_Memory {
    long heap_kb = 0, resident_kb = 0, peak_kb = 0;
};
Sys_Memory Sys_Memory_In_Use();
// Whether the machine shows a GPU device the graphics driver could use (a hint for
// how to present frames; where the system cannot tell, true).
bool Sys_Gpu_Device();
// Whether what the program writes to stderr reaches anyone: a terminal, a file or
// a pipe. A Windows program started from its icon has no error stream at all.
bool Sys_Error_Stream_Seen();
