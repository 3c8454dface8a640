// The playlist reader on arbitrary bytes: it must never overrun, crash or
// hang, and each entry it adds must fit a path and hold no line end or marker.
#include <cstdint>
#include <cstdlib>

#include "tests/fake_platform.h"
#include "lists/lists.h"
#include "store/table_store.h"
#include "store/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FakeShell shell;  // the reader never asks the window anything
  static TableStore dlg(shell);  // one store for every input, as one dialog opens file after file
  for (int list : {IDC_INCLUDED_LIST, IDC_EXCLUDED_LIST}) dlg.ClearList(list);
  ParsePlaylist(dlg, std::string(reinterpret_cast<const char*>(data), size));
  std::string entry;
  for (int list : {IDC_INCLUDED_LIST, IDC_EXCLUDED_LIST}) {
    for (int i = 0; i < dlg.CountEntries(list); ++i) {
      dlg.ReadEntry(list, i, entry);
      bool sound = WindowsLength(entry) <= PATH_BUFFER - 1 && entry.find_first_of(std::string("\r\n*?\0", 5)) == std::string::npos;
      if (!sound) std::abort();
    }
  }
  return 0;
}
