#include "whole_file.h"

#include <memory>

#include "platform/platform.h"

namespace {

// Candidates for the temporary file: the target's path with its last
// character changed, so no longer than a path the platform has just
// accepted, and in the target's own folder so that it can take its place.
constexpr char kLastCharacters[] = "~0123456789";

// Creates the temporary file under the first candidate name that is free,
// never opening one that exists; null when none can be created.
std::unique_ptr<OutputFile> CreateTemporary(const std::string& path, std::string& temporary) {
  std::unique_ptr<OutputFile> file;
  for (const char* last = kLastCharacters; *last; ++last) {
    if (*last == path.back()) continue;
    temporary = path;
    temporary.back() = *last;
    CreateResult result = System().CreateNewOutputFile(temporary, file);
    if (result == CreateResult::Created) return file;
    if (result == CreateResult::Failed) return nullptr;
  }
  return nullptr;
}

}  // namespace

bool WriteFileWhole(const std::string& path, const std::string& bytes) {
  if (path.empty()) return false;
  std::string temporary;
  std::unique_ptr<OutputFile> file = CreateTemporary(path, temporary);
  if (!file) return false;
  bool written = file->Write(bytes);
  bool closed = file->Close();
  file.reset();
  if (written && closed && System().ReplaceWith(temporary, path)) return true;
  System().RemoveFile(temporary);
  return false;
}
