#include "lists.h"
#include "platform/platform.h"

namespace {

void AppendLines(StateStore& dlg, int list, char marker, std::string& text) {
  std::string entry;
  int count = dlg.CountEntries(list);
  for (int i = 0; i < count; ++i) {
    dlg.ReadEntry(list, i, entry);
    text += marker;
    text += entry;
    text += "\r\n";
  }
}

}  // namespace

bool BuildPlaylistText(StateStore& dlg, std::string& text) {
  text.clear();
  AppendLines(dlg, IDC_INCLUDED_LIST, '*', text);
  AppendLines(dlg, IDC_EXCLUDED_LIST, '?', text);
  return true;
}

bool SaveCurrentPlaylist(StateStore& dlg) {
  std::string path = dlg.ReadText(IDC_PLAYLIST_PATH, PATH_BUFFER);
  std::string text;
  if (!BuildPlaylistText(dlg, text)) return false;
  std::unique_ptr<OutputFile> file = Os().CreateOutputFile(path, false);
  bool written = file && file->Write(text) && file->Close();
  if (written) dlg.SetText(IDC_MODIFIED_FLAG, "N");
  return written;
}
