#include "text.h"

#include <cstdarg>
#include <cstdio>

namespace {

unsigned char LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// Lower case in Windows-1252: A-Z, the accented capitals 0xC0-0xDE (but the
// multiplication sign 0xD7), and the four letters in the 0x80 block.
unsigned char Lower1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
    case 0x8A: return 0x9A;  // S caron
    case 0x8C: return 0x9C;  // OE
    case 0x8E: return 0x9E;  // Z caron
    case 0x9F: return 0xFF;  // Y diaeresis
    default: return c;
  }
}

// The base letter of an accented Windows-1252 letter, lower case: the list
// boxes and the tree sort "\xC8" (E grave) with E, not after Z.
unsigned char BaseLetter(unsigned char c) {
  static const char kBase[] =
      "aaaaaaaceeeeiiii"   // 0xC0-0xCF
      "dnooooo\xD7ouuuuy\xDE\xDF"  // 0xD0-0xDF
      "aaaaaaaceeeeiiii"   // 0xE0-0xEF
      "dnooooo\xF7ouuuuy\xFEy";    // 0xF0-0xFF
  c = Lower1252(c);
  return c >= 0xC0 ? static_cast<unsigned char>(kBase[c - 0xC0]) : c;
}

template <unsigned char (*Lower)(unsigned char)>
int Compare(const std::string& a, const std::string& b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    int d = Lower(static_cast<unsigned char>(a[i])) - Lower(static_cast<unsigned char>(b[i]));
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace

int CompareIgnoringCase(const std::string& a, const std::string& b) {
  return Compare<LowerAscii>(a, b);
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

int CompareListText(const std::string& a, const std::string& b) {
  int primary = Compare<BaseLetter>(a, b);
  return primary != 0 ? primary : Compare<Lower1252>(a, b);
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(&text[0], text.size() + 1, format, again);
  va_end(again);
  return text;
}
