#include <algorithm>
#include <filesystem>

#include "catalogue_fixture.h"

namespace {

namespace fs = std::filesystem;

// The songs below native in the order in which the file system lists them,
// each subfolder walked where it is met: the order the catalogue must keep.
void WalkInListingOrder(const fs::path& native, const std::string& folder,
                        std::vector<Song>& songs) {
  for (const fs::directory_entry& entry : fs::directory_iterator(native)) {
    std::string name = entry.path().filename().string();
    if (entry.is_directory()) {
      WalkInListingOrder(entry.path(), folder + "\\" + name, songs);
      continue;
    }
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || !IsSongExtension(name.substr(dot + 1))) continue;
    songs.push_back({folder, name.substr(0, dot), name.substr(dot + 1),
                     std::to_string(entry.file_size())});
  }
}

class ScanTest : public CatalogueTest {
 protected:
  std::vector<Song> ListingOrder(const std::string& relative) {
    std::vector<Song> songs;
    WalkInListingOrder(temp.Native(relative), "C:\\" + relative, songs);
    return songs;
  }
};

TEST_F(ScanTest, SongsComeInDiscoveryOrderWithTheFourListsInStep) {
  // Enough files and folders in alfa that the listing mixes them.
  for (int i = 0; i < 20; ++i) temp.MakeFile("alfa\\brano " + std::to_string(i) + ".mp3", 100 + i);
  for (int i = 0; i < 5; ++i) {
    temp.MakeFile("alfa\\disco " + std::to_string(i) + "\\traccia.wav", 200 + i);
  }
  temp.MakeFile("alfa\\disco 0\\Live.mp3\\dal vivo.ape", 300);
  temp.MakeFile("alfa\\copertina.jpg", 5);
  temp.MakeFolder("alfa\\Vuota");
  temp.MakeFile("Beta\\b.wma", 400);
  temp.MakeFile("Zeta\\z.m4p", 500);
  // Added out of order: the included list sorts them ignoring case.
  Include("C:\\Zeta");
  Include("C:\\alfa");
  Include("C:\\Beta");

  RebuildCatalogue(dlg);

  std::vector<Song> expected = ListingOrder("alfa");
  for (const char* folder : {"Beta", "Zeta"}) {
    std::vector<Song> more = ListingOrder(folder);
    expected.insert(expected.end(), more.begin(), more.end());
  }
  ASSERT_EQ(expected.size(), 28u);
  EXPECT_EQ(Songs(), expected);
  EXPECT_EQ(Text(IDC_SONG_COUNT), "28");
  EXPECT_EQ(Text(IDC_MAX_SONGS), "28");
}

TEST_F(ScanTest, NamesSplitAtTheLastDot) {
  struct Case {
    const char* file;
    bool song;
    const char* name;
    const char* extension;
  };
  const Case cases[] = {
      {"a.b.wav", true, "a.b", "wav"},
      {".mp3", true, "", "mp3"},
      {"Canzone.MP3", true, "Canzone", "MP3"},
      {"Coda.Wma", true, "Coda", "Wma"},
      {"quattro.m4p", true, "quattro", "m4p"},
      {"cinque.VQF", true, "cinque", "VQF"},
      {"sei.ApE", true, "sei", "ApE"},
      // Hidden on POSIX; hidden files are songs like any other.
      {".nascosto.mp3", true, ".nascosto", "mp3"},
      {"brano.mp3.txt", false, "", ""},
      {"x.mp3.bak", false, "", ""},
      {"LEGGIMI", false, "", ""},
      {"brano.mp", false, "", ""},
      {"brano.mp3x", false, "", ""},
      {"fine.", false, "", ""},
  };
  std::vector<Song> expected;
  for (const Case& c : cases) {
    temp.MakeFile(std::string("Nomi\\") + c.file, 10);
    if (c.song) expected.push_back({"C:\\Nomi", c.name, c.extension, "10"});
  }
  // A folder named like a song is walked as a folder.
  temp.MakeFile("Nomi\\Live.mp3\\dentro.mp3", 20);
  expected.push_back({"C:\\Nomi\\Live.mp3", "dentro", "mp3", "20"});
  Include("C:\\Nomi");

  RebuildCatalogue(dlg);

  std::vector<Song> songs = Songs();
  for (const Song& song : expected) {
    SCOPED_TRACE(song.name + "." + song.extension);
    EXPECT_EQ(std::count(songs.begin(), songs.end(), song), 1);
  }
  EXPECT_EQ(songs.size(), expected.size());
}

TEST_F(ScanTest, ExtensionsAreSongsByTheirWholeTextIgnoringCase) {
  struct Case {
    const char* extension;
    bool song;
  };
  const Case cases[] = {{"mp3", true},  {"MP3", true},  {"wma", true},  {"M4p", true},
                        {"vqf", true},  {"APE", true},  {"wav", true},  {"", false},
                        {"mp", false},  {"mp3x", false}, {"mp3 ", false}, {"ogg", false},
                        {"m\xC4p", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    EXPECT_EQ(IsSongExtension(c.extension), c.song);
  }
}

TEST_F(ScanTest, AFolderInsideAnotherIncludedFolderIsCataloguedTwice) {
  temp.MakeFile("Musica\\uno.mp3", 1);
  temp.MakeFile("Musica\\Rock\\due.mp3", 2);
  Include("C:\\Musica\\Rock");
  Include("C:\\Musica");

  RebuildCatalogue(dlg);

  std::vector<Song> expected = ListingOrder("Musica");
  expected.push_back({"C:\\Musica\\Rock", "due", "mp3", "2"});
  EXPECT_EQ(Songs(), expected);
}

TEST_F(ScanTest, FoldersThatCannotBeListedAddNothingAndSayNothing) {
  temp.MakeFile("Musica\\uno.mp3", 1);
  temp.MakeFile("Sparita\\due.mp3", 2);
  Include("C:\\Musica");
  Include("C:\\Sparita");
  Include("C:\\Mai esistita");
  Include("Q:\\Musica");  // a drive that is not there
  RebuildCatalogue(dlg);
  ASSERT_EQ(Songs().size(), 2u);

  fs::remove_all(temp.Native("Sparita"));
  RebuildCatalogue(dlg);

  EXPECT_EQ(Songs(), (std::vector<Song>{{"C:\\Musica", "uno", "mp3", "1"}}));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ScanTest, NoSongsLeaveEveryCountAtZero) {
  temp.MakeFile("Musica\\LEGGIMI.txt", 1);
  Include("C:\\Musica");
  RebuildCatalogue(dlg);
  EXPECT_TRUE(Songs().empty());
  for (int id : {IDC_SONG_COUNT, IDC_MAX_SONGS, IDC_SONGS_TOTAL}) EXPECT_EQ(Text(id), "0") << id;
  EXPECT_EQ(Text(IDC_CATALOGUE_INFO), "Nessun brano disponibile");
}

TEST_F(ScanTest, ADriveRootCarriesTheDriveAsItsFolder) {
  temp.MakeFile("radice.mp3", 1);
  temp.MakeFile("Sotto\\sotto.mp3", 2);
  Include("C:");
  RebuildCatalogue(dlg);
  std::vector<Song> songs = Songs();
  EXPECT_EQ(std::count(songs.begin(), songs.end(), Song{"C:", "radice", "mp3", "1"}), 1);
  EXPECT_EQ(std::count(songs.begin(), songs.end(), Song{"C:\\Sotto", "sotto", "mp3", "2"}), 1);
  EXPECT_EQ(songs.size(), 2u);
}

TEST_F(ScanTest, SizesKeepTheirLowThirtyTwoBitsAndTheTotalIsExact) {
  temp.MakeFile("Grandi\\oltre.mp3", (std::uintmax_t{1} << 32) + 7);
  temp.MakeFile("Grandi\\tre miliardi.mp3", 3000000000u);
  temp.MakeFile("Grandi\\ancora tre.mp3", 3000000000u);
  Include("C:\\Grandi");
  RebuildCatalogue(dlg);
  std::vector<Song> songs = Songs();
  EXPECT_EQ(std::count(songs.begin(), songs.end(), Song{"C:\\Grandi", "oltre", "mp3", "7"}), 1);
  EXPECT_EQ(Text(IDC_SONGS_TOTAL), "6000000007");
}

// Records every folder the program lists.
class ListingRecorder : public FakePlatform {
 public:
  std::unique_ptr<FolderListing> ListFolder(const std::string& folder) override {
    listed.push_back(folder);
    return FakePlatform::ListFolder(folder);
  }
  std::vector<std::string> listed;
};

TEST_F(ScanTest, PathsBeyondThePathLimitAreLeftOutAndTheScanGoesOn) {
#ifdef _WIN32
  GTEST_SKIP() << "The temporary folder's own path makes these paths too long for the ANSI file functions";
#endif
  ListingRecorder recorder;
  recorder.MapDrive('C', DRIVE_KIND_FIXED, temp.path());
  PlatformScope scope(recorder);
  // C:\L\<A x 120>\<B x 125> is 251 characters: songs fit up to a path of
  // 259. Below it, C (255 characters) can still be listed, D (256) cannot,
  // and nothing deeper is even looked at.
  std::string deep = "L\\" + std::string(120, 'A') + "\\" + std::string(125, 'B');
  std::string fits = deep + "\\C23";
  std::string tooLong = deep + "\\D234";
  temp.MakeFile(deep + "\\abc.mp3", 1);   // 259 characters
  temp.MakeFile(deep + "\\abcd.mp3", 2);  // 260
  temp.MakeFile(fits + "\\x.mp3", 3);
  temp.MakeFile(tooLong + "\\x.mp3", 4);
  temp.MakeFile(tooLong + "\\" + std::string(150, 'E') + "\\y.mp3", 5);
  temp.MakeFile("L\\Z\\dopo.mp3", 6);
  Include("C:\\L");
  Include("C:\\" + std::string(300, 'P'));

  RebuildCatalogue(dlg);

  std::vector<Song> songs = Songs();
  EXPECT_EQ(std::count(songs.begin(), songs.end(), Song{"C:\\" + deep, "abc", "mp3", "1"}), 1);
  EXPECT_EQ(std::count(songs.begin(), songs.end(), Song{"C:\\L\\Z", "dopo", "mp3", "6"}), 1);
  EXPECT_EQ(songs.size(), 2u);
  EXPECT_NE(std::find(recorder.listed.begin(), recorder.listed.end(), "C:\\" + fits),
            recorder.listed.end());
  for (const std::string& folder : recorder.listed) EXPECT_LE(folder.size(), 255u) << folder;
}

}  // namespace
