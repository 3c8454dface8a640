#include <cstdlib>

#include "catalogue.h"

int ReadWhole(const std::string& text) { return std::atoi(text.c_str()); }

// Sizes are written with "%u"; anything else falls back to atof.
double ReadSize(const std::string& text) {
  if (text.empty() || text.size() > 15) return std::atof(text.c_str());
  double value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::atof(text.c_str());
    value = value * 10 + (c - '0');
  }
  return value;
}
