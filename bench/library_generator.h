// Deterministic music libraries for the benchmarks: nested folders of
// artists, albums and discs, songs with mixed-case extensions, other files,
// hidden files, dotted folder names. Every file is sparse, so that sizes
// cost no disk.
#pragma once

#include <filesystem>
#include <string>

struct LibraryShape {
  long folders;  // the root included
  long songs;    // files the catalogue takes
  long others;   // files it leaves out
};

// Creates the library under root unless a library of this shape is there
// already. Returns false (with a message on stderr) when it cannot.
bool MakeLibrary(const std::filesystem::path& root, const LibraryShape& shape);
