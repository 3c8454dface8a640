#include "lists.h"

namespace {

// A list entry holds a path of at most 259 characters.
constexpr std::size_t kMaxPathLength = PATH_BUFFER - 1;

// A path too long for a list entry is left out whole: a cut path would name
// some other folder.
void AddLine(StateStore& dlg, char marker, const std::string& path, bool tooLong) {
  if (tooLong) return;
  dlg.AddEntry(marker == '*' ? IDC_INCLUDED_LIST : IDC_EXCLUDED_LIST, path);
}

}  // namespace

void ParsePlaylist(StateStore& dlg, const std::string& text) {
  std::size_t end = text.find('\0');
  if (end == std::string::npos) end = text.size();
  if (end == 0) return;

  // The first byte is the first line's marker, whatever it is.
  char marker = text[0];
  std::string path;
  path.reserve(kMaxPathLength);
  bool tooLong = false;
  for (std::size_t i = 1; i < end; ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      AddLine(dlg, marker, path, tooLong);
      path.clear();
      tooLong = false;
      if (c == '\r' && i + 1 < end && text[i + 1] == '\n') ++i;
    } else if (c == '*' || c == '?') {
      marker = c;
    } else if (path.size() < kMaxPathLength) {
      path += c;
    } else {
      tooLong = true;
    }
  }
  // A last line without its line end still counts, unless it is empty.
  if (!path.empty()) AddLine(dlg, marker, path, tooLong);
}
