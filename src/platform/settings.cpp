// The settings file: parsing, writing it atomically, and the volume keys.
#include "platform/settings.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "core/files.h"
#include "core/report_log.h"
#include "platform/platform.h"

Plat_Settings Settings;
void (*Settings_Notice)(const char* text) = nullptr;

namespace {

std::string Path;
std::vector<std::string> Old_Lines;  // the file as read, for the lines kept

const char* const Header =
    "# Veltran settings: key = value, one a line; lines starting with # are comments.\n"
    "# The game writes this file when a choice changes (F11, F9, the volume keys).\n";

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    const size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

// The key of a "key = value" line, or "" for comments, blanks and other lines.
std::string Key_Of(const std::string& line) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] == '#') return "";
    const size_t eq = t.find('=');
    return eq == std::string::npos ? "" : Trim(t.substr(0, eq));
}

bool Parse_Percent(const std::string& v, int* out) {
    if (v.empty() || v.size() > 3 || v.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int n = std::stoi(v);
    if (n > 100) return false;
    *out = n;
    return true;
}

void Apply_Volumes() {
    Plat_Audio_Set_Volumes(Settings.music_volume, Settings.effects_volume);
}

}  // namespace

Plat_Settings Settings_Parse(const std::string& text, std::vector<std::string>* complaints) {
    Plat_Settings s;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string key = Key_Of(line);
        const std::string t = Trim(line);
        if (key.empty()) {
            if (!t.empty() && t[0] != '#')
                complaints->push_back("строка " + std::to_string(number));
            continue;
        }
        const std::string value = Trim(t.substr(t.find('=') + 1));
        bool ok = true;
        if (key == "fullscreen") {
            ok = value == "yes" || value == "no";
            if (ok) s.fullscreen = value == "yes";
        } else if (key == "scale") {
            ok = value == "sharp" || value == "whole";
            if (ok) s.sharp = value == "sharp";
        } else if (key == "music_volume") {
            ok = Parse_Percent(value, &s.music_volume);
        } else if (key == "effects_volume") {
            ok = Parse_Percent(value, &s.effects_volume);
        }
        if (!ok) complaints->push_back(key + " = " + value);
    }
    return s;
}

std::string Settings_Text(const Plat_Settings& s, const std::vector<std::string>& old) {
    const std::pair<const char*, std::string> known[] = {
        {"fullscreen", s.fullscreen ? "yes" : "no"},
        {"scale", s.sharp ? "sharp" : "whole"},
        {"music_volume", std::to_string(s.music_volume)},
        {"effects_volume", std::to_string(s.effects_volume)}};
    constexpr int Known = 4;
    std::string out;
    bool written[Known] = {};
    for (const std::string& line : old) {
        const std::string key = Key_Of(line);
        int k = -1;
        for (int i = 0; i < Known; ++i)
            if (key == known[i].first) k = i;
        if (k < 0) {
            out += line + "\n";  // a comment, or a line of a later version: kept
        } else if (!written[k]) {
            out += std::string(known[k].first) + " = " + known[k].second + "\n";
            written[k] = true;
        }
    }
    if (old.empty()) out += Header;
    for (int i = 0; i < Known; ++i)
        if (!written[i]) out += std::string(known[i].first) + " = " + known[i].second + "\n";
    return out;
}

void Settings_Load(const std::string& path) {
    Path = path;
    Old_Lines.clear();
    Settings = Plat_Settings{};
    std::vector<uint8_t> bytes;
    if (File_Read_All(path.c_str(), &bytes, 1 << 20)) {
        const std::string text(bytes.begin(), bytes.end());
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) Old_Lines.push_back(line);
        std::vector<std::string> complaints;
        Settings = Settings_Parse(text, &complaints);
        std::string all;
        for (const std::string& c : complaints) all += (all.empty() ? "" : "; ") + c;
        if (!all.empty())
            Report_Log("\n Файл настроек %s: непонятные записи (%s), взяты значения по умолчанию",
                       path.c_str(), all.c_str());
    } else if (Sys_Exists(path)) {
        Report_Log("\n Файл настроек %s не читается: взяты значения по умолчанию", path.c_str());
    }
    Apply_Volumes();
}

bool Settings_Save() {
    if (Path.empty()) return false;
    const std::string text = Settings_Text(Settings, Old_Lines);
    const File_Part part{text.data(), text.size()};
    if (File_Write_Durably(Path, &part, 1) != Sys_Failure::Ok) {
        Report_Log("\n Файл настроек %s не записан", Path.c_str());
        return false;
    }
    Old_Lines.clear();
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) Old_Lines.push_back(line);
    return true;
}

void Settings_Step_Volume(bool music, int direction) {
    int& v = music ? Settings.music_volume : Settings.effects_volume;
    v = std::clamp((v + 5) / 10 * 10 + 10 * direction, 0, 100);
    Apply_Volumes();
    Settings_Save();
}
