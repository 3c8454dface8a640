#include "app/text.h"
#include "catalogue.h"

namespace {
constexpr double kMegabyte = 1048576.0;
}

void ShowCatalogueSummary(StateStore& dlg) {
  int count = ReadWhole(dlg.ReadText(IDC_SONG_COUNT, 63));
  double total = ReadSize(dlg.ReadText(IDC_SONGS_TOTAL, 63));
  if (count < 1) {
    dlg.SetText(IDC_CATALOGUE_INFO, "Nessun brano disponibile");
    return;
  }
  dlg.SetText(IDC_CATALOGUE_INFO,
              Format("Disponibili %d brani per %.0f MBytes", count, total / kMegabyte));
}

void ShowCompilationSummary(StateStore& dlg) {
  int requested = ReadWhole(dlg.ReadText(IDC_MAX_SONGS, 127));
  int order = SelectOrderList(dlg, requested);
  double sum = 0.0;
  std::string entry;
  std::string size;
  // Positions that the list does not hold add nothing.
  int positions = dlg.CountEntries(order);
  for (int i = 0; i < requested && i < positions; ++i) {
    dlg.ReadEntry(order, i, entry);
    if (dlg.ReadEntry(IDC_SONG_SIZES, ReadWhole(entry), size) != NO_ENTRY) sum += ReadSize(size);
  }
  dlg.SetText(IDC_COMPILATION_INFO, Format("Nella compilation;   %d brani per totali %.0f MBites",
                                           requested, sum / 1024 / 1024));
}
