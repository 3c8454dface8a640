// Writing a file whole without ever losing its previous contents.
#pragma once

#include <string>

// Makes bytes the whole contents of path. They go first to a temporary file
// beside it, created under a free name (an existing file is never opened),
// which then takes its place, so that after a failure (false) path still
// holds exactly what it held before and no temporary file is left behind.
// A read-only path is refused.
bool WriteFileWhole(const std::string& path, const std::string& bytes);
