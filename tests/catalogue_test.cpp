#include <cstdlib>
#include <filesystem>

#include "catalogue/catalogue.h"
#include "dialog_fixture.h"

namespace {

namespace fs = std::filesystem;

// A song as "folder|name|extension|size".
std::string Song(const std::string& folder, const std::string& file, std::uintmax_t size) {
  std::size_t dot = file.rfind('.');
  return folder + "|" + file.substr(0, dot) + "|" + file.substr(dot + 1) + "|" + std::to_string(size);
}

// The songs below native in the order in which the file system lists them,
// each subfolder walked where it is met: the order the catalogue must keep.
void WalkInListingOrder(const fs::path& native, const std::string& folder, Strings& songs) {
  for (const fs::directory_entry& entry : fs::directory_iterator(native)) {
    std::string name = entry.path().filename().string();
    std::size_t dot = name.rfind('.');
    if (entry.is_directory()) {
      WalkInListingOrder(entry.path(), folder + "\\" + name, songs);
    } else if (dot != std::string::npos && IsSongExtension(name.substr(dot + 1))) {
      songs.push_back(Song(folder, name, entry.file_size() & 0xFFFFFFFF));
    }
  }
}

class CatalogueTest : public DialogTest {
 protected:
  void SetUp() override {
    Drive('C', DRIVE_KIND_FIXED);
    Start();
  }
  // The catalogue song by song; fails when the four lists differ in length.
  Strings Songs() {
    Strings folders = Entries(IDC_SONG_FOLDERS), names = Entries(IDC_SONG_NAMES);
    Strings extensions = Entries(IDC_SONG_EXTS), sizes = Entries(IDC_SONG_SIZES);
    EXPECT_TRUE(folders.size() == names.size() && extensions.size() == names.size() &&
                sizes.size() == names.size());
    Strings songs;
    for (std::size_t k = 0; k < std::min({folders.size(), extensions.size(), sizes.size(), names.size()}); ++k) {
      songs.push_back(folders[k] + "|" + names[k] + "|" + extensions[k] + "|" + sizes[k]);
    }
    return songs;
  }
  // The songs below C:\<folder> in listing order.
  Strings ListingOrder(const std::string& folder) {
    Strings songs;
    WalkInListingOrder(temp.Native("C\\" + folder), "C:" + (folder.empty() ? "" : "\\" + folder), songs);
    return songs;
  }
  // A catalogue of n songs of a megabyte each, as a scan leaves it.
  void FillCatalogue(int n) {
    for (int id : {IDC_SONG_FOLDERS, IDC_SONG_NAMES, IDC_SONG_EXTS, IDC_SONG_SIZES}) dlg.ClearList(id);
    for (int k = 0; k < n; ++k) Catalogue("C:\\Musica", "brano", "mp3", 1048576);
  }
  // The permutation holds each of the n songs once; the draws with
  // repetition are at least atLeast valid indexes. Both read as "%d" writes.
  void ExpectOrders(int n, std::size_t atLeast) {
    std::vector<int> order, draws;
    for (auto [list, indexes] : {std::pair{IDC_ORDER_NO_REPEAT, &order}, std::pair{IDC_ORDER_WITH_REPEAT, &draws}}) {
      for (const std::string& entry : Entries(list)) {
        indexes->push_back(std::atoi(entry.c_str()));
        ASSERT_EQ(std::to_string(indexes->back()), entry);
        ASSERT_TRUE(indexes->back() >= 0 && indexes->back() < n) << entry;
      }
    }
    std::sort(order.begin(), order.end());
    EXPECT_TRUE(std::unique(order.begin(), order.end()) == order.end());
    EXPECT_EQ(order.size(), static_cast<std::size_t>(n));
    EXPECT_GE(draws.size(), atLeast);
  }
  void TypeRequest(const char* keys) {
    dlg.UserErase(IDC_MAX_SONGS);
    dlg.UserType(IDC_MAX_SONGS, keys);
  }
};

TEST_F(CatalogueTest, SongsComeInDiscoveryOrderWithTheFourListsInStep) {
  // Enough files and folders in alfa that the listing mixes them.
  for (int i = 0; i < 20; ++i) temp.MakeFile("C\\alfa\\brano " + std::to_string(i) + ".mp3", 100 + i);
  for (int i = 0; i < 5; ++i) temp.MakeFile("C\\alfa\\disco " + std::to_string(i) + "\\traccia.wav", 200 + i);
  temp.MakeFile("C\\alfa\\copertina.jpg", 5);
  temp.MakeFile("C\\Beta\\b.wma", 400);
  temp.MakeFile("C\\Zeta\\z.m4p", 500);
  // Added out of order: the included list sorts them ignoring case.
  for (const char* folder : {"C:\\Zeta", "C:\\alfa", "C:\\Beta"}) Include(folder);
  Strings expected = ListingOrder("alfa");
  expected.push_back("C:\\Beta|b|wma|400");
  expected.push_back("C:\\Zeta|z|m4p|500");
  ASSERT_EQ(expected.size(), 27u);
  EXPECT_EQ(Songs(), expected);
  EXPECT_EQ(Texts({IDC_SONG_COUNT, IDC_MAX_SONGS}), Strings({"27", "27"}));
}

// Split at the last dot; hidden files (on POSIX) are songs like any other;
// a folder named like a song is walked as a folder; sizes are the low 32
// bits, and the total is exact.
TEST_F(CatalogueTest, NamesSplitAtTheLastDotAndFoldersAreWalked) {
  for (const char* file : {"a.b.wav", ".mp3", "Canzone.MP3", "Coda.Wma", "q.m4p", "c.VQF", "s.ApE",
                           ".nascosto.mp3", "brano.mp3.txt", "x.mp3.bak", "LEGGIMI", "brano.mp", "brano.mp3x",
                           "fine.", "Live.mp3\\d.mp3"}) {
    temp.MakeFile(std::string("C\\Nomi\\") + file, 10);
  }
  temp.MakeFile("C\\Nomi\\oltre.mp3", (std::uintmax_t{1} << 32) + 7);
  temp.MakeFile("C\\Nomi\\tre miliardi.mp3", 3000000000u);
  Include("C:\\Nomi");
  Strings songs = Songs();
  Strings expected = {"C:\\Nomi\\Live.mp3|d|mp3|10", "C:\\Nomi|.nascosto|mp3|10", "C:\\Nomi||mp3|10",
                            "C:\\Nomi|Canzone|MP3|10", "C:\\Nomi|Coda|Wma|10", "C:\\Nomi|a.b|wav|10",
                            "C:\\Nomi|c|VQF|10", "C:\\Nomi|oltre|mp3|7", "C:\\Nomi|q|m4p|10", "C:\\Nomi|s|ApE|10",
                            "C:\\Nomi|tre miliardi|mp3|3000000000"};
  std::sort(songs.begin(), songs.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(songs, expected);
  EXPECT_EQ(Text(IDC_SONGS_TOTAL), "3000000097");
}

// A drive root's songs carry the drive as their folder; a folder inside
// another included folder is catalogued twice; folders that cannot be
// listed add nothing and say nothing.
TEST_F(CatalogueTest, NestedFoldersTwiceVanishedFoldersSilently) {
  temp.MakeFile("C\\radice.mp3", 1);
  temp.MakeFile("C\\Musica\\uno.mp3", 2);
  temp.MakeFile("C\\Musica\\Rock\\due.mp3", 3);
  temp.MakeFile("C\\Sparita\\tre.mp3", 4);
  for (const char* folder : {"C:\\Musica\\Rock", "C:", "C:\\Sparita", "C:\\Mai esistita", "Q:\\Musica"}) {
    Include(folder);
  }
  fs::remove_all(temp.Native("C\\Sparita"));
  RebuildCatalogue(dlg);
  Strings expected = ListingOrder("");
  expected.push_back("C:\\Musica\\Rock|due|mp3|3");
  EXPECT_EQ(Songs(), expected);
  EXPECT_EQ(std::count(expected.begin(), expected.end(), "C:|radice|mp3|1"), 1);
  EXPECT_EQ(expected.size(), 4u);
  EXPECT_TRUE(shell.messages.empty());
}

// A path holds at most 259 characters: longer songs and folders, and all
// below them, are left out, and the scan goes on.
TEST_F(CatalogueTest, PathsBeyondThePathLimitAreLeftOutAndTheScanGoesOn) {
#ifdef _WIN32
  GTEST_SKIP() << "The temporary folder's own path makes these paths too long for the ANSI file functions";
#endif
  std::string deep = "L\\" + std::string(120, 'A') + "\\" + std::string(125, 'B');  // C:\L\... is 251
  temp.MakeFile("C\\" + deep + "\\abc.mp3", 1);   // 259 characters
  temp.MakeFile("C\\" + deep + "\\abcd.mp3", 2);  // 260
  // D234 (256 characters) cannot be listed through its pattern.
  temp.MakeFile("C\\" + deep + "\\D234\\" + std::string(150, 'E') + "\\y.mp3", 5);
  temp.MakeFile("C\\L\\Z\\dopo.mp3", 6);
  Include("C:\\L");
  Include("C:\\" + std::string(256, 'P'));
  Strings songs = Songs();
  std::sort(songs.begin(), songs.end());
  EXPECT_EQ(songs, Strings({"C:\\" + deep + "|abc|mp3|1", "C:\\L\\Z|dopo|mp3|6"}));
}

TEST_F(CatalogueTest, ExclusionComparesWholeFolderNamesIgnoringCase) {
  const std::tuple<Strings, const char*, bool> cases[] = {
      {{"C:\\Musica\\Live"}, "C:\\Musica\\Live", false},
      {{"C:\\musica\\LIVE"}, "C:\\Musica\\Live\\Extra", false},
      {{"C:\\Musica\\Live"}, "C:\\Musica\\Live 2", true},
      {{"C:\\Musica\\Live"}, "C:\\Musica", true},
      {{"C:\\Musica\\Live"}, "C:\\Altro\\C:\\Musica\\Live", true},
      {{"C:\\MUSICA"}, "C:\\Musica\\Rock", false},
      {{"c:"}, "C:\\Musica\\Rock", false},
      {{"C:"}, "D:\\Musica", true},
      {{""}, "C:\\Musica", true},
      // Only A to Z have a case: accented letters must match exactly.
      {{"C:\\Città"}, "C:\\CITTÀ", true},
      {{"", "C:\\Rock", "E:\\Altro"}, "C:\\Rock\\Anni 70", false},
      {{"C:\\Rock\\Anni 70\\Lunghissimo nome", "C:\\Rock\\Anni 7"}, "C:\\Rock\\Anni 70", true},
  };
  for (const auto& [excluded, folder, allowed] : cases) {
    SCOPED_TRACE(testing::Message() << folder << " excluded by " << testing::PrintToString(excluded));
    dlg.ClearList(IDC_EXCLUDED_LIST);
    for (const std::string& entry : excluded) dlg.AddEntry(IDC_EXCLUDED_LIST, entry);
    EXPECT_EQ(IsFolderAllowed(dlg, folder, IDC_EXCLUDED_LIST), allowed);
  }
}

TEST_F(CatalogueTest, OrdersHoldEverySongOnceAndValidDrawsForAnyCountAndRequest) {
  const std::pair<int, int> cases[] = {{0, 0},  {0, 5},   {1, 1},     {1, 6},         {10, 7},
                                       {10, 25}, {12, 12}, {32767, 9}, {40000, 40010}};
  for (auto [n, requested] : cases) {
    SCOPED_TRACE(testing::Message() << n << " songs, " << requested << " requested");
    FillCatalogue(n);
    dlg.SetText(IDC_MAX_SONGS, std::to_string(requested));
    ExpectOrders(n, n ? static_cast<std::size_t>(std::max(n, requested)) : 0);
    if (n == 0) EXPECT_EQ(dlg.CountEntries(IDC_ORDER_WITH_REPEAT), 0);
  }
}

// The orders are drawn afresh when the song count changes, and only the
// draws with repetition when the request grows past it; every keystroke
// rewrites the compilation line.
TEST_F(CatalogueTest, OrdersAreKeptUntilTheSongCountChanges) {
  for (int i = 0; i < 10; ++i) temp.MakeFile("C\\Musica\\" + std::to_string(i) + ".mp3", 1048576);
  Include("C:\\Musica");
  Strings permutation = Entries(IDC_ORDER_NO_REPEAT), draws = Entries(IDC_ORDER_WITH_REPEAT);
  *platform.now += 100;  // a new second would draw otherwise
  for (const char* keys : {"7", "", "10", "1", "rescan"}) {
    SCOPED_TRACE(keys);
    if (keys == std::string("rescan")) RebuildCatalogue(dlg); else TypeRequest(keys);
    EXPECT_EQ(Entries(IDC_ORDER_NO_REPEAT), permutation);
    EXPECT_EQ(Entries(IDC_ORDER_WITH_REPEAT), draws);
  }
  TypeRequest("2x5");
  EXPECT_EQ(Entries(IDC_ORDER_NO_REPEAT), permutation);
  EXPECT_EQ(dlg.CountEntries(IDC_ORDER_WITH_REPEAT), 25);
  ExpectOrders(10, 25);
  EXPECT_EQ(Text(IDC_COMPILATION_INFO), "Nella compilation;   25 brani per totali 25 MBites");
  for (int i = 10; i < 12; ++i) temp.MakeFile("C\\Musica\\" + std::to_string(i) + ".mp3", 1);
  RebuildCatalogue(dlg);
  ExpectOrders(12, 12);
  EXPECT_EQ(dlg.CountEntries(IDC_ORDER_WITH_REPEAT), 12);
}

// Writing the song count into the request runs its change handling at
// once: the compilation line is new while the catalogue line still says
// the scan is running, and before the total is known.
TEST_F(CatalogueTest, SummaryLinesInWholeMegabytesTheCompilationLineFirst) {
  Include("C:\\Musica");
  EXPECT_EQ(Texts({IDC_CATALOGUE_INFO, IDC_COMPILATION_INFO}),
            Strings({"Nessun brano disponibile", "Nella compilation;   0 brani per totali 0 MBites"}));
  for (const char* name : {"uno", "due", "tre"}) temp.MakeFile(std::string("C\\Musica\\") + name + ".mp3", 3000000);
  RebuildCatalogue(dlg);
  EXPECT_EQ(Texts({IDC_SONGS_TOTAL, IDC_CATALOGUE_INFO, IDC_COMPILATION_INFO}),
            Strings({"9000000", "Disponibili 3 brani per 9 MBytes",
                     "Nella compilation;   3 brani per totali 9 MBites"}));
  temp.MakeFile("C\\Musica\\quattro.mp3", 3000000);
  dlg.events.clear();
  RebuildCatalogue(dlg);
  Strings seen;
  for (const auto& event : dlg.events) {
    for (int id : {IDC_CATALOGUE_INFO, IDC_MAX_SONGS, IDC_COMPILATION_INFO, IDC_SONGS_TOTAL}) {
      if (event.id == id && !event.repaint) seen.push_back(event.text);
    }
  }
  EXPECT_EQ(seen, Strings({"Compilo l'elenco dei brani", "4", "Nella compilation;   4 brani per totali 11 MBites",
                           "12000000", "Disponibili 4 brani per 11 MBytes"}));
}

}  // namespace
