// The playlist reader on arbitrary bytes: it must never overrun, crash or
// hang, and what it adds must fit a list entry and be a line of the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/table_store.h"
#include "store/text.h"
#include "lists/lists.h"

namespace {

// The reader never asks the window anything.
class NoWindow : public Shell {
 public:
  int ShowMessage(const std::string&, const std::string&, unsigned) override { return 0; }
  bool AskOpenPlaylist(std::string&) override { return false; }
  bool AskSavePlaylist(std::string&) override { return false; }
  void EndDialog(int) override {}
  void Quit(int) override {}
};

NoWindow noWindow;

// The table store with its lists kept in reading order: sorting is the
// store's business, and inserting thousands of entries in order would spend
// the fuzzer's time on the store rather than on the reader.
class ReadingOrderStore : public TableStore {
 public:
  ReadingOrderStore() : TableStore(noWindow) {}
  int AddEntry(int id, const std::string& text) override { return InsertEntry(id, -1, text); }
};

const std::string kNeverInAnEntry("\r\n*?\0", 5);

int CheckEntries(StateStore& dlg, int list) {
  std::string entry;
  int count = dlg.CountEntries(list);
  for (int i = 0; i < count; ++i) {
    dlg.ReadEntry(list, i, entry);
    if (WindowsLength(entry) > PATH_BUFFER - 1) std::abort();
    if (entry.find_first_of(kNeverInAnEntry) != std::string::npos) std::abort();
  }
  return count;
}

// Each entry needs a line: one per line end read, plus a last line.
std::size_t MostLines(const std::string& text) {
  std::size_t lines = 1;
  for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  // One store for every input, as one dialog opens one file after another.
  static ReadingOrderStore dlg;
  dlg.ClearList(IDC_INCLUDED_LIST);
  dlg.ClearList(IDC_EXCLUDED_LIST);
  ParsePlaylist(dlg, text);
  std::size_t added = static_cast<std::size_t>(CheckEntries(dlg, IDC_INCLUDED_LIST) +
                                               CheckEntries(dlg, IDC_EXCLUDED_LIST));
  if (added > MostLines(text)) std::abort();
  return 0;
}
