#include <cstdint>
#include <cstdlib>

#include "numbers.h"

// Numbers are written with "%d" and "%u"; anything else falls back to the
// runtime's reading.
int ParseCount(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::atoi(std::string(text).c_str());
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::atoi(std::string(text).c_str());
    value = value * 10 + (c - '0');
  }
  return value;
}

// Up to 15 digits fit a whole number that a double holds exactly.
double ParseBytes(std::string_view text) {
  if (text.empty() || text.size() > 15) return std::atof(std::string(text).c_str());
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::atof(std::string(text).c_str());
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return static_cast<double>(value);
}
