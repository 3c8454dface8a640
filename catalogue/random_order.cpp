#include <charconv>
#include <vector>

#include "catalogue.h"
#include "platform/platform.h"
#include "random_source.h"

namespace {

// Appends index as "%d" writes it; text is scratch space kept from call to
// call, so that no entry costs an allocation of its own.
void AppendIndex(StateStore& dlg, int list, int index, std::string& text) {
  char digits[16];
  text.assign(digits, std::to_chars(digits, digits + sizeof digits, index).ptr);
  dlg.InsertEntry(list, -1, text);
}

// Rejection: the first index drawn whose flag is clear takes the position.
void DrawPermutation(StateStore& dlg, RandomSource& random, int n) {
  std::vector<char> placed(static_cast<std::size_t>(n), 0);
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(n));
  while (static_cast<int>(order.size()) < n) {
    int k = random.DrawIndex(n);
    if (placed[k]) continue;
    placed[k] = 1;
    order.push_back(k);
  }
  std::string text;
  for (int k : order) AppendIndex(dlg, IDC_ORDER_NO_REPEAT, k, text);
}

void DrawWithRepetition(StateStore& dlg, RandomSource& random, int n, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    AppendIndex(dlg, IDC_ORDER_WITH_REPEAT, random.DrawIndex(n), text);
  }
}

}  // namespace

void DrawRandomOrder(StateStore& dlg) {
  int requested = ParseCount(dlg.ReadText(IDC_MAX_SONGS, 63));
  int n = dlg.CountEntries(IDC_SONG_NAMES);
  int drawn = dlg.CountEntries(IDC_ORDER_NO_REPEAT);
  RandomSource random(static_cast<std::uint32_t>(System().Now()));

  if (drawn != n) {
    dlg.ClearList(IDC_ORDER_NO_REPEAT);
    dlg.ClearList(IDC_ORDER_WITH_REPEAT);
    DrawPermutation(dlg, random, n);
    DrawWithRepetition(dlg, random, n, n);
  }
  if (requested > n) {
    dlg.ClearList(IDC_ORDER_WITH_REPEAT);
    if (n > 0) DrawWithRepetition(dlg, random, n, requested);
  }
}

int SelectOrderList(StateStore& dlg, int requested) {
  bool forbidden = dlg.IsButtonChecked(IDC_REPEAT_FORBIDDEN);
  if (forbidden && requested <= dlg.CountEntries(IDC_SONG_NAMES)) return IDC_ORDER_NO_REPEAT;
  return IDC_ORDER_WITH_REPEAT;
}
