#include <set>

#include "catalogue/catalogue.h"
#include "dialog_fixture.h"
#include "player/player.h"

class CatalogueTest : public DialogTest {
 protected:
  // The permutation holds each of the n songs once, the draws exactly
  // drawn valid indexes; both as "%d" writes them.
  void ExpectOrders(int n, int drawn) {
    Strings order = Entries(IDC_ORDER_NO_REPEAT), draws = Entries(IDC_ORDER_WITH_REPEAT);
    std::set<std::string> each;
    for (int k = 0; k < n; ++k) each.insert(std::to_string(k));
    EXPECT_EQ(std::set<std::string>(order.begin(), order.end()), each);
    EXPECT_EQ(std::make_pair(order.size(), draws.size()), std::make_pair(std::size_t(n), std::size_t(drawn)));
    for (const std::string& k : draws) EXPECT_EQ(each.count(k), 1u) << k;
  }
};

TEST_F(CatalogueTest, ExclusionComparesWholeFolderNamesIgnoringTheCaseOfAToZ) {
  const std::tuple<Strings, const char*, bool> rows[] = {
      // excluded, folder, allowed
      {{"C:\\Musica\\Live"}, "C:\\Musica\\Live", false}, {{"C:\\musica\\LIVE"}, "C:\\Musica\\Live\\Extra", false},
      {{"C:\\Musica\\Live"}, "C:\\Musica\\Live 2", true}, {{"C:\\Musica\\Live"}, "C:\\Musica", true},
      {{"C:\\Musica\\Live"}, "C:\\Altro\\C:\\Musica\\Live", true}, {{"c:"}, "C:\\Musica\\Rock", false},
      {{"C:"}, "D:\\Musica", true}, {{"C:\\Città"}, "C:\\CITTÀ", true},
      {{"", "C:\\Rock\\Anni 7", "C:\\Rock\\Anni 70\\Lungo"}, "C:\\Rock\\Anni 70", true}};
  for (const auto& [excluded, folder, allowed] : rows) {
    SCOPED_TRACE(folder + (" by " + excluded.back()));
    dlg.ClearList(IDC_EXCLUDED_LIST);
    for (const std::string& entry : excluded) dlg.AddEntry(IDC_EXCLUDED_LIST, entry);
    EXPECT_EQ(IsFolderAllowed(dlg, folder, IDC_EXCLUDED_LIST), allowed);
  }
}

// In whole megabytes; the player's line names what clearing would recover
// from a whole megabyte on.
TEST_F(CatalogueTest, SummaryLinesInWholeMegabytes) {
  for (int k = 0; k < 4; ++k) AddSong("brano", 3000000, nullptr);
  SetOrder(4, {"0", "1", "2", "3"}, {});
  for (auto [id, text] : {std::pair{IDC_SONG_COUNT, "4"}, {IDC_SONGS_TOTAL, "12000000"}, {IDC_FREE_BYTES, "524288000"},
                          {IDC_RECOVERABLE_BYTES, "1048576"}}) dlg.SetText(id, text);
  ShowCatalogueSummary(dlg);
  ShowCompilationSummary(dlg);
  ShowPlayerSpace(dlg);
  EXPECT_EQ(Text(IDC_CATALOGUE_INFO) + "|" + Text(IDC_COMPILATION_INFO) + "|" + Text(IDC_STATUS_LINE),
            "Disponibili 4 brani per 11 MBytes|Nella compilation;   4 brani per totali 11 MBites|"
            "Nel lettore: 500 MBytes liberi, 1 MBytes recuperabili, 501 MBytes disponibili");
  for (int k = 0; k < 9000; ++k) dlg.AddEntry(IDC_SONG_SIZES, "1048576");  // past a block read at once
  EXPECT_EQ(CatalogueBytes(dlg), 12000000 + 9000 * 1048576.0);
}

// The orders drawn in one second are the C runtime's classic sequence on
// every platform: for 5 songs, and for 40,000, where two draws make an
// index. Each pair: a place in the permutation, then in the draws.
TEST_F(CatalogueTest, TheOrdersOfOneSecondAreTheSameEverywhere) {
  for (auto [n, expected] : {std::pair{5, "0 2 2 4 4 1 1 4 3 1 "},
                             {40000, "342 25252 35535 20243 12286 6055 10191 37108 18889 32391 "}}) {
    dlg.AppendEntries(IDC_SONG_NAMES, std::string(static_cast<std::size_t>(n - dlg.CountEntries(IDC_SONG_NAMES)), '\0'));
    dlg.SetText(IDC_MAX_SONGS, std::to_string(n + 1));
    Strings order = Entries(IDC_ORDER_NO_REPEAT), draws = Entries(IDC_ORDER_WITH_REPEAT);
    std::string seen;
    for (int i = 0; i < 5; ++i) seen += order[i] + " " + draws[i] + " ";
    EXPECT_EQ(seen, expected);
  }
}

// Escape during the scan asks; Yes keeps the songs found so far as a whole
// catalogue (its orders, each song once and valid draws, and its summary
// drawn as after any scan), No goes on.
// The folder of many songs, there when the scan goes on, fills the lists in
// more than one batch: each entry must still name one song, its folder,
// name and size together.
TEST_F(CatalogueTest, AStoppedScanKeepsWhatItFoundAndTheOrdersFollowTheCatalogue) {
  for (std::string song : {"uno.mp3", "A\\due.mp3", "A\\tre.mp3", "B\\quattro.mp3", "C\\cinque.mp3"})
    temp.Write("C\\Musica\\" + song, song);
  for (int answer : {ANSWER_YES, ANSWER_NO}) {
    SCOPED_TRACE(answer);
    for (int i = 0; answer == ANSWER_NO && i < 4100; ++i) temp.Write(Format("C\\Musica\\Molti\\%d.mp3", i), std::string(i % 7, 'x'));
    int walked = 0;
    shell.whileAlive = [&] {
      EXPECT_EQ(dlg.ProgressBar(IDC_PROGRESS), "busy");
      return ++walked == 3;  // C:\Musica, one of its folders, then the next
    };
    shell.answers = {answer};
    dlg.SetText(IDC_STATUS_LINE, "");
    Add("C:\\Musica");
    EXPECT_EQ(Messages(), kWarning + std::string("Interrompere la ricerca dei brani?|36"));
    Strings names = Entries(IDC_SONG_NAMES), folders = Entries(IDC_SONG_FOLDERS), sizes = Entries(IDC_SONG_SIZES);
    int n = static_cast<int>(names.size());
    EXPECT_EQ(n == 4105, answer == ANSWER_NO);
    ASSERT_TRUE(n >= 1 && folders.size() == names.size() && sizes.size() == names.size()) << n;
    for (int k = 0; k < n; ++k)
      ASSERT_EQ(std::to_string(temp.Read("C\\" + folders[k].substr(3) + "\\" + names[k] + ".mp3").size()), sizes[k]) << k;
    ExpectOrders(n, n);
    EXPECT_EQ(Text(IDC_SONG_COUNT), std::to_string(n));
    EXPECT_EQ(Text(IDC_CATALOGUE_INFO).rfind("Disponibili " + std::to_string(n) + " brani", 0), 0u);
    EXPECT_EQ(Text(IDC_STATUS_LINE), answer == ANSWER_YES ? "Ricerca dei brani interrotta" : "");
    EXPECT_EQ(dlg.ProgressBar(IDC_PROGRESS), "");
  }
  shell.whileAlive = nullptr;
  // The orders are not drawn again when only the request changes, and
  // follow a catalogue that shrinks.
  const Strings permutation = Entries(IDC_ORDER_NO_REPEAT);
  platform.now += 100;  // a new second would draw other orders
  dlg.SetText(IDC_MAX_SONGS, "5000");
  EXPECT_EQ(Entries(IDC_ORDER_NO_REPEAT), permutation);
  ExpectOrders(4105, 5000);
  fs::remove_all(temp.Native("C\\Musica\\Molti"));
  RebuildCatalogue(dlg);
  ExpectOrders(5, 5);
}
