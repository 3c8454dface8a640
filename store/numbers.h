// Numbers held in the store as decimal text.
#pragma once

#include <string>
#include <string_view>

// A count or index (as atoi reads it) and a size in bytes (as atof reads
// it); plain decimal digits are read without the runtime, and an empty or
// non-numeric text reads as 0.
int ParseCount(std::string_view text);
double ParseBytes(std::string_view text);
