// The player's choices kept between runs: full screen or a window, the music's and
// the effects' volumes. A human-readable file of "key = value" lines with comments
// (settings.conf, beside a portable game or in $XDG_CONFIG_HOME/veltran), written
// anew in one piece; lines the game does not know are kept as they stand.
#pragma once

#include <string>
#include <vector>

struct Plat_Settings {
    bool fullscreen = true;
    bool sharp = true;         // scale = sharp (fill the screen) or whole (whole factors)
    int music_volume = 100;    // per cent, 0..100
    int effects_volume = 100;  // per cent, 0..100
};

// The settings in force (the defaults until Settings_Load).
extern Plat_Settings Settings;

// Reads the file; a missing one gives the defaults, a damaged line its default and
// one log line each. Never fails.
void Settings_Load(const std::string& path);
// Writes the settings in force back (keeping the file's other lines); false when
// the file could not be written (the old one stays).
bool Settings_Save();

// The file's text for a set of settings over the lines of an old file.
std::string Settings_Text(const Plat_Settings& settings, const std::vector<std::string>& old);
// The settings a text holds over the defaults; the complaints about its lines.
Plat_Settings Settings_Parse(const std::string& text, std::vector<std::string>* complaints);

// Shows a short notice on the screen (the volume after a key); installed by the
// display.
extern void (*Settings_Notice)(const char* text);

// One step of a volume key: 10 points up or down, kept within 0..100; the change
// is applied to the sound and saved.
void Settings_Step_Volume(bool music, int direction);
