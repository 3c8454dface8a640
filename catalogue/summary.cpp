#include <algorithm>
#include <string_view>
#include <vector>

#include "store/text.h"
#include "catalogue.h"

namespace {

constexpr double kMegabyte = 1048576.0;
// Entries are read a block of this many at a time: one call to the store
// for each block, into a buffer that stays in the processor's cache.
constexpr int kBlock = 8192;

// Calls take(index, text) for each entry of list from index first on, at
// most count of them, in order.
template <typename Take>
void ReadBlock(StateStore& dlg, int list, int first, int count, std::string& texts, Take take) {
  int read = dlg.ReadEntries(list, first, count, texts);
  const char* text = texts.data();
  for (int i = 0; i < read; ++i) {
    const char* end = EntryEnd(text, texts.data() + texts.size());
    take(first + i, std::string_view(text, static_cast<std::size_t>(end - text)));
    text = end + 1;
  }
}

// How many times each song stands among the first requested positions of
// the order; indexes that name no song are left out. Positions that the
// list does not hold add nothing.
std::vector<int> TimesChosen(StateStore& dlg, int order, int requested, int songs) {
  std::vector<int> times(static_cast<std::size_t>(songs), 0);
  std::string texts;
  int positions = std::min(requested, dlg.CountEntries(order));
  for (int first = 0; first < positions; first += kBlock) {
    ReadBlock(dlg, order, first, std::min(kBlock, positions - first), texts,
              [&](int, std::string_view entry) {
                int k = ParseCount(entry);
                if (k >= 0 && k < songs) ++times[k];
              });
  }
  return times;
}

}  // namespace

double CatalogueBytes(StateStore& dlg) {
  double total = 0.0;
  std::string texts;
  int songs = dlg.CountEntries(IDC_SONG_SIZES);
  for (int first = 0; first < songs; first += kBlock) {
    ReadBlock(dlg, IDC_SONG_SIZES, first, std::min(kBlock, songs - first), texts,
              [&](int, std::string_view size) { total += ParseBytes(size); });
  }
  return total;
}

void ShowCatalogueSummary(StateStore& dlg) {
  int count = ParseCount(dlg.ReadText(IDC_SONG_COUNT, 63));
  double total = ParseBytes(dlg.ReadText(IDC_SONGS_TOTAL, 63));
  if (count < 1) {
    dlg.SetText(IDC_CATALOGUE_INFO, "Nessun brano disponibile");
    return;
  }
  dlg.SetText(IDC_CATALOGUE_INFO,
              Format("Disponibili %d brani per %.0f MBytes", count, total / kMegabyte));
}

void ShowCompilationSummary(StateStore& dlg) {
  int requested = ParseCount(dlg.ReadText(IDC_MAX_SONGS, 127));
  int songs = dlg.CountEntries(IDC_SONG_SIZES);
  std::vector<int> times = TimesChosen(dlg, SelectOrderList(dlg, requested), requested, songs);
  // The sizes are read in catalogue order, each once: following the order
  // instead jumps all over a large catalogue. Sizes are whole numbers, and
  // whole numbers below 2^53 add up exactly in any order.
  double sum = 0.0;
  std::string texts;
  for (int first = 0; first < songs; first += kBlock) {
    int count = std::min(kBlock, songs - first);
    auto chosen = times.begin() + first;
    if (std::all_of(chosen, chosen + count, [](int n) { return n == 0; })) continue;
    ReadBlock(dlg, IDC_SONG_SIZES, first, count, texts, [&](int k, std::string_view size) {
      if (times[k] != 0) sum += times[k] * ParseBytes(size);
    });
  }
  dlg.SetText(IDC_COMPILATION_INFO, Format("Nella compilation;   %d brani per totali %.0f MBites",
                                           requested, sum / 1024 / 1024));
}
