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

inline int ParseCount(std::string_view text) {
  if (text.empty() || text.size() > 9) return ParseCountAsRuntime(text);
  int value = 0;
  for (char c : text) {
    auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
    if (digit > 9) return ParseCountAsRuntime(text);
    value = value * 10 + static_cast<int>(digit);
  }
  return value;
}

// Up to 15 digits fit a whole number that a double holds exactly.
inline double ParseBytes(std::string_view text) {
  if (text.empty() || text.size() > 15) return ParseBytesAsRuntime(text);
  std::uint64_t value = 0;
  for (char c : text) {
    auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
    if (digit > 9) return ParseBytesAsRuntime(text);
    value = value * 10 + digit;
  }
  return static_cast<double>(value);
}
