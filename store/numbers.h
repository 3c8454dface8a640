// Numbers held in the store as decimal text.
#pragma once

#include <string>

// atoi and atof of a text; plain decimal digits are read without the runtime.
int ReadWhole(const std::string& text);
double ReadSize(const std::string& text);
