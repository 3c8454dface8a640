#include <algorithm>
#include <cstdlib>

#include "catalogue/random_source.h"
#include "catalogue_fixture.h"

namespace {

class OrderTest : public CatalogueTest {
 protected:
  // A catalogue of n songs, as a scan leaves it, before the order is drawn.
  void Catalogue(int n) {
    for (int k = dlg.CountEntries(IDC_SONG_NAMES); k < n; ++k) {
      dlg.AddEntry(IDC_SONG_NAMES, "brano " + std::to_string(k));
      dlg.AddEntry(IDC_SONG_SIZES, "1000");
    }
  }
  // The program's write into the field, which runs the field's change handling.
  void Request(int requested) { dlg.SetText(IDC_MAX_SONGS, std::to_string(requested)); }

  // The entries of an order list as song indexes; each must be written as
  // "%d" writes it.
  std::vector<int> Indexes(int id) {
    std::vector<int> indexes;
    for (const std::string& entry : Entries(id)) {
      int index = std::atoi(entry.c_str());
      EXPECT_EQ(std::to_string(index), entry);
      indexes.push_back(index);
    }
    return indexes;
  }

  void ExpectPermutation(int n) {
    std::vector<int> order = Indexes(IDC_ORDER_NO_REPEAT);
    std::sort(order.begin(), order.end());
    ASSERT_EQ(order.size(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) ASSERT_EQ(order[i], i);
  }

  void ExpectValidDraws(int n, int atLeast) {
    std::vector<int> draws = Indexes(IDC_ORDER_WITH_REPEAT);
    EXPECT_GE(draws.size(), static_cast<std::size_t>(atLeast));
    for (int k : draws) ASSERT_TRUE(k >= 0 && k < n) << k;
  }
};

TEST_F(OrderTest, OrdersHoldEverySongOnceAndValidDrawsForAnyCountAndRequest) {
  struct Case {
    int n;
    int requested;
  };
  const Case cases[] = {{0, 0},     {0, 5},      {1, 1},      {1, 6},         {10, 7},
                        {10, 25},   {12, 12},    {32767, 9},  {40000, 40010}};
  for (const Case& c : cases) {
    SCOPED_TRACE("n " + std::to_string(c.n) + ", requested " + std::to_string(c.requested));
    dlg.ClearList(IDC_SONG_NAMES);
    dlg.ClearList(IDC_SONG_SIZES);
    Catalogue(c.n);
    Request(c.requested);

    ExpectPermutation(c.n);
    if (c.n == 0) {
      EXPECT_EQ(dlg.CountEntries(IDC_ORDER_WITH_REPEAT), 0);
    } else {
      ExpectValidDraws(c.n, std::max(c.n, c.requested));
    }
  }
}

TEST_F(OrderTest, ARequestUpToTheSongCountKeepsBothOrders) {
  Catalogue(10);
  Request(10);
  std::vector<std::string> permutation = Entries(IDC_ORDER_NO_REPEAT);
  std::vector<std::string> draws = Entries(IDC_ORDER_WITH_REPEAT);
  platform.now = *platform.now + 100;  // a new second would draw otherwise

  for (const char* keys : {"7", "", "10", "1"}) {
    SCOPED_TRACE(keys);
    dlg.UserErase(IDC_MAX_SONGS);
    dlg.UserType(IDC_MAX_SONGS, keys);
    EXPECT_EQ(Entries(IDC_ORDER_NO_REPEAT), permutation);
    EXPECT_EQ(Entries(IDC_ORDER_WITH_REPEAT), draws);
  }
}

TEST_F(OrderTest, ARequestAboveTheSongCountRedrawsOnlyTheDrawsWithRepetition) {
  Catalogue(10);
  Request(10);
  std::vector<std::string> permutation = Entries(IDC_ORDER_NO_REPEAT);

  dlg.UserErase(IDC_MAX_SONGS);
  dlg.UserType(IDC_MAX_SONGS, "25");

  EXPECT_EQ(Entries(IDC_ORDER_NO_REPEAT), permutation);
  EXPECT_EQ(dlg.CountEntries(IDC_ORDER_WITH_REPEAT), 25);
  ExpectValidDraws(10, 25);
  EXPECT_EQ(SelectOrderList(dlg, 25), IDC_ORDER_WITH_REPEAT);
}

TEST_F(OrderTest, ANewSongCountRedrawsBothOrders) {
  Catalogue(10);
  Request(10);
  Catalogue(12);
  Request(12);
  ExpectPermutation(12);
  EXPECT_EQ(dlg.CountEntries(IDC_ORDER_WITH_REPEAT), 12);

  dlg.ClearList(IDC_SONG_NAMES);
  Catalogue(5);
  Request(5);
  ExpectPermutation(5);
  ExpectValidDraws(5, 5);
  EXPECT_EQ(dlg.CountEntries(IDC_ORDER_WITH_REPEAT), 5);
}

TEST_F(OrderTest, ARescanFindingAsManySongsKeepsTheOrders) {
  temp.MakeFile("Musica\\uno.mp3", 1);
  temp.MakeFile("Musica\\due.mp3", 2);
  temp.MakeFile("Musica\\tre.mp3", 3);
  Include("C:\\Musica");
  RebuildCatalogue(dlg);
  std::vector<std::string> permutation = Entries(IDC_ORDER_NO_REPEAT);
  std::vector<std::string> draws = Entries(IDC_ORDER_WITH_REPEAT);
  platform.now = *platform.now + 100;

  RebuildCatalogue(dlg);

  EXPECT_EQ(Entries(IDC_ORDER_NO_REPEAT), permutation);
  EXPECT_EQ(Entries(IDC_ORDER_WITH_REPEAT), draws);
}

TEST_F(OrderTest, TheOrderFollowsTheSecondOfTheDraw) {
  std::vector<std::string> first;
  for (std::time_t second : {1764948667, 1764948667, 1764948668}) {
    TableStore store{MainDialogProc};
    store.Initialise();
    for (int k = 0; k < 50; ++k) store.AddEntry(IDC_SONG_NAMES, "brano");
    platform.now = second;
    store.SetText(IDC_MAX_SONGS, "50");
    std::vector<std::string> permutation(50);
    for (int i = 0; i < 50; ++i) store.ReadEntry(IDC_ORDER_NO_REPEAT, i, permutation[i]);
    if (first.empty()) {
      first = permutation;
    } else if (second == 1764948667) {
      EXPECT_EQ(permutation, first);
    } else {
      EXPECT_NE(permutation, first);
    }
  }
}

TEST_F(OrderTest, SelectOrderListServesMoreSongsThanCataloguedWithRepetitions) {
  struct Case {
    bool forbidden;
    int requested;
    int list;
  };
  const Case cases[] = {
      {true, 0, IDC_ORDER_NO_REPEAT},   {true, 9, IDC_ORDER_NO_REPEAT},
      {true, 10, IDC_ORDER_NO_REPEAT},  {true, 11, IDC_ORDER_WITH_REPEAT},
      {false, 9, IDC_ORDER_WITH_REPEAT}, {false, 10, IDC_ORDER_WITH_REPEAT},
      {false, 11, IDC_ORDER_WITH_REPEAT},
  };
  Catalogue(10);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.forbidden) + " " + std::to_string(c.requested));
    dlg.UserClick(c.forbidden ? IDC_REPEAT_FORBIDDEN : IDC_REPEAT_ALLOWED);
    EXPECT_EQ(SelectOrderList(dlg, c.requested), c.list);
  }
}

TEST(RandomSourceTest, DrawsTheClassicRuntimeSequence) {
  RandomSource random(1);
  for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358}) {
    EXPECT_EQ(random.Next(), expected);
  }
  // Above 32767 songs an index takes the first of two draws as its high
  // half, whatever the compiler: with n = 2^30 - 1 the index is the draw.
  RandomSource wide(1);
  EXPECT_EQ(wide.DrawIndex((1 << 30) - 1), (41 << 15) | 18467);
}

TEST(RandomSourceTest, IndexesReachBothEndsAndNeverTheCount) {
  for (int n : {1, 3, 32767, 32768, 100000}) {
    SCOPED_TRACE(n);
    RandomSource random(static_cast<std::uint32_t>(n));
    int lowest = n;
    int highest = -1;
    for (int i = 0; i < 1000000; ++i) {
      int k = random.DrawIndex(n);
      ASSERT_TRUE(k >= 0 && k < n) << k;
      lowest = std::min(lowest, k);
      highest = std::max(highest, k);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, n - 1);
  }
}

}  // namespace
