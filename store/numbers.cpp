#include <cstdlib>

#include "numbers.h"

// Numbers are written with "%d" and "%u"; anything else is read as the
// runtime reads it.
int ParseCountAsRuntime(std::string_view text) { return std::atoi(std::string(text).c_str()); }

double ParseBytesAsRuntime(std::string_view text) { return std::atof(std::string(text).c_str()); }
