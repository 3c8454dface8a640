#include "whole_file.h"

#include <memory>

#include "platform/platform.h"

namespace {

// The temporary file is named like the target with its last character
// changed, so its path is no longer than one the platform has just accepted.
std::string TemporaryNameFor(const std::string& path) {
  std::string temporary = path;
  temporary.back() = temporary.back() == '~' ? '#' : '~';
  return temporary;
}

}  // namespace

bool WriteFileWhole(const std::string& path, const std::string& bytes) {
  if (path.empty()) return false;
  std::string temporary = TemporaryNameFor(path);
  std::unique_ptr<OutputFile> file = Os().CreateOutputFile(temporary);
  if (!file) return false;
  bool written = file->Write(bytes);
  bool closed = file->Close();
  file.reset();
  if (written && closed && Os().ReplaceWith(temporary, path)) return true;
  Os().RemoveFile(temporary);
  return false;
}
