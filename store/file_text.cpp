#include "file_text.h"

#include "text.h"

const char kUtf8Mark[] = "\xEF\xBB\xBF";

namespace {

// The characters of the bytes 0x80 to 0x9F. The five bytes Windows-1252
// leaves undefined stand for the control characters of the same code, as
// Windows converts them, so that every byte comes back.
const char16_t kHigh1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
    0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

// The byte of a character, or 0 when it has none (NUL itself is never text).
unsigned char ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (unsigned char i = 0; i < 32; ++i) {
    if (kHigh1252[i] == c) return static_cast<unsigned char>(0x80 + i);
  }
  return 0;
}

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string FromWindows1252(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (char byte : bytes) {
    auto b = static_cast<unsigned char>(byte);
    AppendUtf8(text, b >= 0x80 && b < 0xA0 ? kHigh1252[b - 0x80] : b);
  }
  return text;
}

// The text of UTF-16 bytes after their mark. Half a surrogate pair, or a
// last odd byte, has no character: it becomes NUL, as readers take a NUL
// for what a line cannot hold.
std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::string text;
  text.reserve(bytes.size());
  auto unit = [&](std::size_t at) -> char32_t {
    auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
    return bigEndian ? (first << 8 | second) : (second << 8 | first);
  };
  std::size_t at = 0;
  for (; at + 1 < bytes.size(); at += 2) {
    char32_t c = unit(at);
    bool high = c >= 0xD800 && c < 0xDC00;
    char32_t low = high && at + 3 < bytes.size() ? unit(at + 2) : 0;
    if (low >= 0xDC00 && low < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      at += 2;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0;
    }
    AppendUtf8(text, c);
  }
  if (at < bytes.size()) text += '\0';
  return text;
}

// Valid UTF-8 that holds at least one byte above 0x7F.
bool IsPlainUtf8(std::string_view bytes) {
  bool high = false;
  for (std::size_t at = 0; at < bytes.size();) {
    high = high || static_cast<unsigned char>(bytes[at]) >= 0x80;
    if (IsStrayByte(NextCharacter(bytes, at))) return false;
  }
  return high;
}

}  // namespace

bool FitsWindows1252(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
    } else if (!ByteOf(NextCharacter(text, at))) {
      return false;
    }
  }
  return true;
}

std::string ToWindows1252(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    char32_t c = NextCharacter(text, at);
    unsigned char byte = ByteOf(c);
    bytes += c != 0 && byte == 0 ? '?' : static_cast<char>(byte);
  }
  return bytes;
}

std::string EncodeTextFile(const std::string& text) {
  return FitsWindows1252(text) ? ToWindows1252(text) : kUtf8Mark + text;
}

std::string DecodeTextFile(std::string_view bytes) {
  std::string_view mark(kUtf8Mark);
  if (bytes.substr(0, mark.size()) == mark) return std::string(bytes.substr(mark.size()));
  if (bytes.substr(0, 2) == "\xFF\xFE") return FromUtf16(bytes.substr(2), false);
  if (bytes.substr(0, 2) == "\xFE\xFF") return FromUtf16(bytes.substr(2), true);
  if (IsPlainUtf8(bytes)) return std::string(bytes);
  return FromWindows1252(bytes);
}
