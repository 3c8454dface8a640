#include "lists.h"
#include "platform/platform.h"
#include "whole_file.h"

int WriteLastCopyRecord(StateStore& dlg) {
  // Without included folders an older record is kept as it is.
  if (dlg.CountEntries(IDC_INCLUDED_LIST) == 0) return 1;
  std::string text;
  if (!BuildPlaylistText(dlg, text)) return -1;
  std::string directory = Os().CurrentDirectory();
  std::string path = directory + "\\ultima.lis";
  // The path must fit a path buffer: a longer one could not be opened.
  bool fits = !directory.empty() && path.size() < PATH_BUFFER;
  if (fits && WriteFileWhole(path, text)) return 1;
  Os().ShowMessage(dlg.Handle(),
                   "Impossibile aprire il file \"ultima.lis\"\nforse \xE8 utilizzato da un altro programma",
                   "ERRORE", MESSAGE_OK);
  return -1;
}
