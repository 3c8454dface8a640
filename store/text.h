// Text helpers shared by every subsystem. All texts are Windows-1252 bytes.
#pragma once

#include <string>

// Compares ignoring the case of A to Z only, as the C runtime's _stricmp
// does when no locale is set. Negative, zero or positive like strcmp.
int CompareIgnoringCase(const std::string& a, const std::string& b);
bool EqualIgnoringCase(const std::string& a, const std::string& b);

// Compares as the list boxes and the tree do: ignoring case, accented
// Windows-1252 letters included.
int CompareListText(const std::string& a, const std::string& b);

// printf into a std::string.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
