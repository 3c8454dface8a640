#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "platform/platform.h"
#include "random_source.h"

namespace {

// Indexes go to the store in blocks of this many: one buffer, reused from
// block to block, small enough to stay in the processor's cache.
constexpr int kBlock = 8192;

// Appends count indexes taken from next() in turn, each as "%d" writes it.
// The list is told first how much is coming, so that it makes room once.
template <typename Next>
void AppendIndexes(StateStore& dlg, int list, int count, int n, Next next) {
  char widest[16];
  auto width = static_cast<std::size_t>(std::to_chars(widest, widest + sizeof widest, n - 1).ptr - widest);
  dlg.PrepareList(list, count, static_cast<std::size_t>(count) * width);
  // Room for a block of the widest index, "-2147483648", each with its NUL.
  constexpr std::size_t kMostBytes = 12;
  std::vector<char> texts(static_cast<std::size_t>(std::min(count, kBlock)) * kMostBytes);
  for (int done = 0; done < count;) {
    char* end = texts.data();
    for (int last = std::min(count, done + kBlock); done < last; ++done) {
      end = std::to_chars(end, end + kMostBytes - 1, next()).ptr;
      *end++ = '\0';
    }
    dlg.AppendEntries(list, std::string_view(texts.data(), static_cast<std::size_t>(end - texts.data())));
  }
}

// Rejection: the first index drawn whose flag is clear takes the position.
void DrawPermutation(StateStore& dlg, RandomSource& random, int n) {
  std::vector<char> placed(static_cast<std::size_t>(n), 0);
  AppendIndexes(dlg, IDC_ORDER_NO_REPEAT, n, n, [&] {
    int k;
    do k = random.DrawIndex(n); while (placed[k]);
    placed[k] = 1;
    return k;
  });
}

void DrawWithRepetition(StateStore& dlg, RandomSource& random, int n, int count) {
  AppendIndexes(dlg, IDC_ORDER_WITH_REPEAT, count, n, [&] { return random.DrawIndex(n); });
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
