#include <new>

#include "lists.h"
#include "store/file_text.h"
#include "store/text.h"
#include "platform/platform.h"
#include "whole_file.h"

namespace {

// No real list comes near this; a larger file is refused unread.
constexpr std::uint64_t kLargestPlaylist = std::uint64_t{16} << 20;

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

void ReportInUse(StateStore& dlg, const std::string& what) {
  dlg.Window().ShowMessage(what + "\nforse è utilizzato da un altro programma", "ERRORE", MESSAGE_OK);
}

void ReportFailure(StateStore& dlg, const char* what, const std::string& path) {
  ReportInUse(dlg, Format("Impossibile %s il file\n    \"%s\"", what, path.c_str()));
}

namespace {

// Writes the lists to path; false after a failure it has reported, with the
// file as it was.
bool WritePlaylist(StateStore& dlg, const std::string& path) {
  std::string text;
  if (!BuildPlaylistText(dlg, text)) return false;
  if (WriteFileWhole(path, EncodeTextFile(text))) return true;
  ReportFailure(dlg, "scrivere", path);
  return false;
}

}  // namespace

bool BuildPlaylistText(StateStore& dlg, std::string& text) {
  try {
    text.clear();
    AppendLines(dlg, IDC_INCLUDED_LIST, '*', text);
    AppendLines(dlg, IDC_EXCLUDED_LIST, '?', text);
    return true;
  } catch (const std::bad_alloc&) {
    std::string().swap(text);
    dlg.Window().ShowMessage("Memoria insufficiente", "ERRORE IRRECUPERABILE", MESSAGE_OK);
    dlg.Window().EndDialog(0);
    return false;
  }
}

bool SaveCurrentPlaylist(StateStore& dlg) {
  std::string path = dlg.ReadText(IDC_PLAYLIST_PATH, PATH_BUFFER);
  // Before a file has been saved or opened, saving means choosing one.
  if (path.empty()) return SavePlaylistAs(dlg);
  if (!WritePlaylist(dlg, path)) return false;
  dlg.SetText(IDC_MODIFIED_FLAG, "N");
  return true;
}

bool SavePlaylistAs(StateStore& dlg) {
  std::string path;
  if (!dlg.Window().AskSavePlaylist(path)) return false;
  if (!WritePlaylist(dlg, path)) return false;
  dlg.SetText(IDC_PLAYLIST_PATH, path);
  dlg.SetText(IDC_MODIFIED_FLAG, "N");
  return true;
}

bool OpenPlaylist(StateStore& dlg) {
  std::string path;
  if (!dlg.Window().AskOpenPlaylist(path)) return false;
  std::string text;
  if (!System().ReadWholeFile(path, kLargestPlaylist, text)) {
    ReportFailure(dlg, "aprire", path);
    return false;
  }
  dlg.ClearList(IDC_INCLUDED_LIST);
  dlg.ClearList(IDC_EXCLUDED_LIST);
  ParsePlaylist(dlg, text);
  // Opening keeps the modified flag: unsaved changes stay unsaved.
  dlg.SetText(IDC_PLAYLIST_PATH, path);
  return true;
}
