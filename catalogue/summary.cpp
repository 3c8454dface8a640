#include <vector>

#include "store/text.h"
#include "catalogue.h"

namespace {

constexpr double kMegabyte = 1048576.0;

// How many times each song stands among the first requested positions of
// the order; indexes that name no song are left out.
std::vector<int> TimesChosen(StateStore& dlg, int order, int requested, int songs) {
  std::vector<int> times(static_cast<std::size_t>(songs), 0);
  std::string entry;
  // Positions that the list does not hold add nothing.
  int positions = dlg.CountEntries(order);
  for (int i = 0; i < requested && i < positions; ++i) {
    dlg.ReadEntry(order, i, entry);
    int k = ParseCount(entry);
    if (k >= 0 && k < songs) ++times[k];
  }
  return times;
}

}  // namespace

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
  std::string size;
  for (int k = 0; k < songs; ++k) {
    if (times[k] == 0) continue;
    dlg.ReadEntry(IDC_SONG_SIZES, k, size);
    sum += times[k] * ParseBytes(size);
  }
  dlg.SetText(IDC_COMPILATION_INFO, Format("Nella compilation;   %d brani per totali %.0f MBites",
                                           requested, sum / 1024 / 1024));
}
