// Text helpers shared by every subsystem. All texts are UTF-8; a byte that
// is not part of a valid UTF-8 sequence (a POSIX name in an older
// encoding) is kept as it is and counts as one character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The case of A to Z only, as the C runtime folds it when no locale is set:
// folder exclusion and song extensions compare so.
inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// Compares as the list boxes and the tree do: letters first by their base
// letter ignoring case (Latin with accents, Greek, Cyrillic), then by their
// accents; other characters by their code.
int CompareListText(const std::string& a, const std::string& b);
// Where text goes among count items kept in that order: after the last one
// that does not sort after it. textAt(i) is item i's text.
template <typename TextAt>
std::size_t SortedPlace(std::size_t count, const std::string& text, TextAt textAt) {
  std::size_t low = 0;
  while (low < count) {
    std::size_t middle = (low + count) / 2;
    if (CompareListText(text, std::string(textAt(middle))) < 0) {
      count = middle;
    } else {
      low = middle + 1;
    }
  }
  return count;
}

// The character at text[at], advancing at past it. A byte that starts no
// valid sequence yields 0xDC00 plus the byte, a code no valid text holds.
char32_t NextCharacter(std::string_view text, std::size_t& at);
// Whether the character came from a byte that is not valid UTF-8.
inline bool IsStrayByte(char32_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

// Where the entry at from ends, at its NUL, in a block of entries each
// ended by one that ends at or before end. Eight bytes are looked at
// together where the lowest byte of a word comes first: a short entry (a
// number) takes one step and no branch that guesses its length.
inline const char* EntryEnd(const char* from, const char* end) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  constexpr std::uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
  for (; end - from >= 8; from += 8) {
    std::uint64_t word;
    std::memcpy(&word, from, 8);
    // The lowest bit set marks the first zero byte; bits above it may be set by its borrow.
    if (std::uint64_t zero = (word - kOnes) & ~word & kHighs) return from + __builtin_ctzll(zero) / 8;
  }
#endif
  while (*from != '\0') ++from;
  return from;
}

// Length in the units Windows counts characters in (UTF-16): path limits
// are in these units on every platform.
std::size_t WindowsLength(std::string_view text);
// The longest start of text of at most units Windows units that ends
// between two characters.
std::string CutToWindowsLength(const std::string& text, std::size_t units);

// printf into a std::string.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
