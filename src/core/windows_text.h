// Paths between the program's UTF-8 with '/' and Windows's UTF-16 (the Windows files only).
#pragma once

#include <string>

std::wstring Wide(const std::string& utf8);
std::string Narrow(const wchar_t* wide);
// Paths with '/' between their parts: the program's own way of writing them.
std::string Forward_Slashes(std::string path);
