// Text at the Windows boundary: the program's UTF-8 and the UTF-16 of the
// wide functions, which reach every name whatever the ANSI code page.
#pragma once

#include <string>

std::wstring Widen(const std::string& text);
// The UTF-8 of a NUL-terminated text, or of its first length units.
std::string Narrow(const wchar_t* text);
std::string Narrow(const wchar_t* text, std::size_t length);
