// Writing a file whole without ever losing its previous contents.
#pragma once

#include <string>

// Makes bytes the whole contents of path. They go first to a temporary file
// beside it, which then takes its place, so that after a failure (false)
// path still holds exactly what it held before and no temporary file is
// left behind.
bool WriteFileWhole(const std::string& path, const std::string& bytes);
