#include "lists.h"
#include "store/file_text.h"
#include "store/text.h"

namespace {

// A list entry holds a path of at most 259 characters, three bytes at
// most each (a character of two Windows units takes four bytes).
constexpr std::size_t kMaxPathLength = PATH_BUFFER - 1;
constexpr std::size_t kMaxPathBytes = 3 * kMaxPathLength;

// A path too long for a list entry, or holding a NUL, is left out whole: a
// cut path would name some other folder.
void AddLine(StateStore& dlg, char marker, const std::string& path, bool leftOut) {
  if (leftOut || WindowsLength(path) > kMaxPathLength) return;
  dlg.AddEntry(marker == '*' ? IDC_INCLUDED_LIST : IDC_EXCLUDED_LIST, path);
}

}  // namespace

void ParsePlaylist(StateStore& dlg, const std::string& bytes) {
  // The markers and line ends are the same bytes in every encoding.
  std::string text = DecodeTextFile(bytes);
  std::size_t end = text.size();
  if (end == 0) return;

  // The first byte is the first line's marker, whatever it is.
  char marker = text[0];
  std::string path;
  path.reserve(kMaxPathBytes);
  bool leftOut = false;
  for (std::size_t i = 1; i < end; ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      AddLine(dlg, marker, path, leftOut);
      path.clear();
      leftOut = false;
      if (c == '\r' && i + 1 < end && text[i + 1] == '\n') ++i;
    } else if (c == '*' || c == '?') {
      marker = c;
    } else if (c != '\0' && path.size() < kMaxPathBytes) {
      path += c;
    } else {
      leftOut = true;
    }
  }
  // A last line without its line end still counts, unless it is empty.
  if (!path.empty()) AddLine(dlg, marker, path, leftOut);
}
