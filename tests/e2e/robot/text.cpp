#include "text.h"

#include <windows.h>

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string narrow(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size,
                      nullptr, nullptr);
  return narrow;
}

std::string Quote(const std::wstring& text) {
  std::wstring shown = L"\"";
  for (wchar_t c : text) {
    if (c == L'\n') shown += L"\\n";
    else if (c == L'\r') shown += L"\\r";
    else shown += c;
  }
  return ToUtf8(shown + L"\"");
}

std::wstring WithoutAccessKey(const std::wstring& label) {
  std::wstring plain;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == L'&' && i + 1 < label.size()) ++i;
    plain += label[i];
  }
  return plain;
}

namespace {

// Reads one quoted word starting after its opening quote; returns the
// position after the closing quote, or npos.
std::size_t ReadQuoted(const std::string& line, std::size_t at, char quote, std::string& word) {
  for (; at < line.size(); ++at) {
    char c = line[at];
    if (c == quote) return at + 1;
    if (quote == '"' && c == '\\' && at + 1 < line.size()) {
      char next = line[++at];
      word += next == 'n' ? '\n' : next;
    } else {
      word += c;
    }
  }
  return std::string::npos;
}

}  // namespace

bool SplitWords(const std::string& line, std::vector<std::wstring>& words) {
  words.clear();
  std::size_t at = 0;
  while (true) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
    if (at >= line.size() || (words.empty() && line[at] == '#')) return true;
    std::string word;
    if (line[at] == '\'' || line[at] == '"') {
      at = ReadQuoted(line, at + 1, line[at], word);
      if (at == std::string::npos) return false;
    } else {
      while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r')
        word += line[at++];
    }
    words.push_back(FromUtf8(word));
  }
}
