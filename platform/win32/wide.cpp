#include "wide.h"

#include <windows.h>

#include <cwchar>

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  int size = static_cast<int>(text.size());
  int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  if (units > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], units);
  return wide;
}

std::string Narrow(const wchar_t* text, std::size_t length) {
  if (length == 0) return std::string();
  int size = static_cast<int>(length);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, size, &narrow[0], bytes, nullptr, nullptr);
  return narrow;
}

std::string Narrow(const wchar_t* text) { return Narrow(text, std::wcslen(text)); }
