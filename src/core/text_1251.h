// Windows-1251, the game's own code page, turned into UTF-8 for the terminal.
#pragma once

#include <string>

std::string Cp1251_To_Utf8(const std::string& text);
