// Numbers held in the store as decimal text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A count or index (as atoi reads it) and a size in bytes (as atof reads
// it); plain decimal digits are read here, anything else by the runtime,
// and an empty or non-numeric text reads as 0. The orders and the sizes
// are read back an entry at a time, so the digits' path is inline.
int ParseCountAsRuntime(std::string_view text);
double ParseBytesAsRuntime(std::string_view text);

// Whether text is plain decimal digits, no more than most of them; value is
// what they write.
inline bool ReadDigits(std::string_view text, std::size_t most, std::uint64_t& value) {
  if (text.empty() || text.size() > most) return false;
  value = 0;
  for (char c : text) {
    auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
    if (digit > 9) return false;
    value = value * 10 + digit;
  }
  return true;
}

// Nine digits always fit an int.
inline int ParseCount(std::string_view text) {
  std::uint64_t value;
  return ReadDigits(text, 9, value) ? static_cast<int>(value) : ParseCountAsRuntime(text);
}

// Up to 15 digits fit a whole number that a double holds exactly.
inline double ParseBytes(std::string_view text) {
  std::uint64_t value;
  return ReadDigits(text, 15, value) ? static_cast<double>(value) : ParseBytesAsRuntime(text);
}
