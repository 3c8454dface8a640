#include "text.h"

#include <cstdarg>
#include <cstdio>

namespace {

// Lower case of the letters the lists sort: Latin (with Latin-1 and
// Latin Extended-A), Greek and Cyrillic.
char32_t Lower(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130) return 'i';
    if (c == 0x178) return 0xFF;
    bool evenUpper = c <= 0x137 || (c >= 0x14A && c <= 0x177);
    bool oddUpper = (c >= 0x139 && c <= 0x148) || c >= 0x179;
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1 && c != 0x17F)) return c + 1;
    return c;
  }
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  return c;
}

// The base letter of a lower-case letter: the lists sort "è" with "e",
// "ά" with "α" and "ё" with "е", not after the last letter.
char32_t BaseLetter(char32_t c) {
  static const char kLatin1[] = "aaaaaaaceeeeiiiidnooooo\xF7ouuuuy\xFEy";  // 0xE0-0xFF
  static const char kLatinA[] =                                           // 0x100-0x17F
      "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkklllllll"
      "lllnnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
  if (c >= 0xE0 && c <= 0xFF) return static_cast<unsigned char>(kLatin1[c - 0xE0]);
  if (c >= 0x100 && c <= 0x17F) return static_cast<unsigned char>(kLatinA[c - 0x100]);
  switch (c) {
    case 0x3AC: return 0x3B1;
    case 0x3AD: return 0x3B5;
    case 0x3AE: return 0x3B7;
    case 0x3AF: case 0x390: case 0x3CA: return 0x3B9;
    case 0x3CC: return 0x3BF;
    case 0x3CD: case 0x3B0: case 0x3CB: return 0x3C5;
    case 0x3CE: return 0x3C9;
    case 0x3C2: return 0x3C3;
    case 0x451: return 0x435;
    default: return c;
  }
}

// The letters that sort as two: "ß" as "ss", "æ" as "ae".
const char* Expansion(char32_t lower) {
  switch (lower) {
    case 0xDF: return "ss";
    case 0xE6: return "ae";
    case 0x133: return "ij";
    case 0x153: return "oe";
    default: return nullptr;
  }
}

// The sort keys of a text: base letters, and lower-case characters.
void Keys(const std::string& text, std::u32string& base, std::u32string& lower) {
  for (std::size_t at = 0; at < text.size();) {
    char32_t c = Lower(NextCharacter(text, at));
    lower += c;
    if (const char* pair = Expansion(c)) {
      base.append(pair, pair + 2);
    } else {
      base += BaseLetter(c);
    }
  }
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

int CompareListText(const std::string& a, const std::string& b) {
  std::u32string baseA, lowerA, baseB, lowerB;
  Keys(a, baseA, lowerA);
  Keys(b, baseB, lowerB);
  int primary = baseA.compare(baseB);
  return primary != 0 ? Sign(primary) : Sign(lowerA.compare(lowerB));
}

char32_t NextCharacter(std::string_view text, std::size_t& at) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(at);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2
                     : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
  bool valid = length != 0 && at + length <= text.size();
  for (std::size_t i = 1; valid && i < length; ++i) {
    valid = (byte(at + i) & 0xC0) == 0x80;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  // Overlong forms, surrogates and codes past U+10FFFF are no characters.
  valid = valid && !(length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) &&
          !(length == 4 && (c < 0x10000 || c > 0x10FFFF));
  if (!valid) {
    ++at;
    return 0xDC00 + lead;
  }
  at += length;
  return c;
}

std::size_t WindowsLength(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < text.size();) {
    // Most names are plain ASCII: a unit a byte, nothing to decode.
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++units;
      ++at;
      continue;
    }
    units += NextCharacter(text, at) >= 0x10000 ? 2 : 1;
  }
  return units;
}

std::string CutToWindowsLength(const std::string& text, std::size_t units) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t next = at;
    std::size_t width = NextCharacter(text, next) >= 0x10000 ? 2 : 1;
    if (width > units) break;
    units -= width;
    at = next;
  }
  return text.substr(0, at);
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
