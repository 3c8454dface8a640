#include "lists.h"
#include "store/file_text.h"
#include "store/text.h"
#include "platform/platform.h"
#include "whole_file.h"

int WriteLastCopyRecord(StateStore& dlg) {
  // Without included folders an older record is kept as it is.
  if (dlg.CountEntries(IDC_INCLUDED_LIST) == 0) return 1;
  std::string text;
  if (!BuildPlaylistText(dlg, text)) return -1;
  std::string directory = System().CurrentDirectory();
  std::string path = directory + "\\ultima.lis";
  // The path must fit a path buffer: a longer one could not be opened.
  bool fits = !directory.empty() && WindowsLength(path) < PATH_BUFFER;
  if (fits && WriteFileWhole(path, EncodeTextFile(text))) return 1;
  ReportInUse(dlg, "Impossibile aprire il file \"ultima.lis\"");
  return -1;
}
