#include <map>

#include "copy_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class CopyRunTest : public CopyTest {
 protected:
  std::string Stamped(const std::string& text) { return text + kStamp; }

  void ExpectShortfallMessage(int copied, int requested) {
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              Format("Copiati %d brani su %d richiesti.\n"
                     "I brani non copiati sono elencati in \"Playlist.txt\".",
                     copied, requested));
    EXPECT_EQ(platform.messages[0].caption, "A T T E N Z I O N E !");
    EXPECT_EQ(platform.messages[0].style, MESSAGE_OK | MESSAGE_ICON_EXCLAMATION);
  }
};

TEST_F(CopyRunTest, ClearsCopiesAndLogsToTheByte) {
  temp.WriteBytes("player\\Vecchio.mp3", "old");
  temp.WriteBytes("player\\Altro.wma", "old");
  // An older, longer log is replaced whole.
  temp.WriteBytes("work\\Playlist.txt", std::string(5000, 'x'));
  AddSong("Intro.mp3", 3000000);
  AddSong("Finale.mp3", 5242880);
  SetOrder(2, {"0", "1"}, {"1", "1"});
  // The deletions are numbered in the order the file system lists them.
  Lines deleted;
  std::unique_ptr<FolderListing> listing = Os().ListFolder("E:");
  for (FolderEntry entry; listing->Next(entry);) {
    if (entry.name != "." && entry.name != "..") deleted.push_back(entry.name);
  }
  listing.reset();
  ASSERT_EQ(deleted.size(), 2u);

  EXPECT_EQ(CopyToPlayer(dlg), 1);

  std::string expected = std::string("PLAY-LIST\r\n\r\n") +
                         "Inizio a cancellare il " + kStamp + "\r\n" +
                         "Cancello    1  " + deleted[0] + " \r\n" +
                         "Cancello    2  " + deleted[1] + " \r\n" +
                         "Finito di cancellare il " + kStamp + "\r\n\r\n" +
                         "Inizio a copiare i brani il " + kStamp + "\r\n\r\n" +
                         "   1 Intro\r\n"
                         "   2 Finale\r\n"
                         "\r\nFinito di copiare i brani il " + kStamp + "\r\n" +
                         "Scritti in totale 8050 KBytes\r\n";
  EXPECT_EQ(temp.ReadBytes("work\\Playlist.txt"), expected);
  EXPECT_EQ(PlayerFiles(), (Lines{"Finale.mp3", "Intro.mp3"}));
  EXPECT_TRUE(temp.ReadBytes("player\\Intro.mp3") == temp.ReadBytes("lib\\Intro.mp3"));
  EXPECT_TRUE(temp.ReadBytes("player\\Finale.mp3") == temp.ReadBytes("lib\\Finale.mp3"));
  EXPECT_TRUE(platform.messages.empty());
}

struct NothingCase {
  const char* requested;
  bool clear;
};

class NothingRequested : public CopyRunTest, public ::testing::WithParamInterface<NothingCase> {};

TEST_P(NothingRequested, WritesOnlyTheFrame) {
  const NothingCase& c = GetParam();
  AddSong("a.mp3", 10);
  SetOrder(1, {"0"}, {"0"});
  dlg.SetText(IDC_MAX_SONGS, c.requested);
  if (!c.clear) KeepExisting();

  EXPECT_EQ(CopyToPlayer(dlg), 1);

  Lines expected{"PLAY-LIST", ""};
  if (c.clear) {
    expected.insert(expected.end(), {Stamped("Inizio a cancellare il "),
                                     Stamped("Finito di cancellare il "), ""});
  }
  expected.insert(expected.end(), {Stamped("Inizio a copiare i brani il "), "", "",
                                   Stamped("Finito di copiare i brani il "),
                                   "Scritti in totale 0 KBytes"});
  EXPECT_EQ(LogLines(), expected);
  EXPECT_TRUE(PlayerFiles().empty());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(Text(IDC_CATALOGUE_INFO), "Inizio a copiare 0 brani nel lettore");
}

INSTANTIATE_TEST_SUITE_P(Zero, NothingRequested,
                         ::testing::Values(NothingCase{"0", false}, NothingCase{"0", true},
                                           NothingCase{"abc", false}));

struct OrderCase {
  bool forbidden;
  int requested;
  Lines logged;
  Lines files;
};

class OrderChoice : public CopyRunTest, public ::testing::WithParamInterface<OrderCase> {};

// Three songs a, b, c; the permutation is c a b, the draws with repetition
// are b five times, so the log tells which list was read.
TEST_P(OrderChoice, ReadsTheListTheRuleChooses) {
  const OrderCase& c = GetParam();
  for (const char* song : {"a.mp3", "b.mp3", "c.mp3"}) AddSong(song, 100);
  SetOrder(c.requested, {"2", "0", "1"}, {"1", "1", "1", "1", "1"});
  if (!c.forbidden) dlg.UserClick(IDC_REPEAT_ALLOWED);

  EXPECT_EQ(CopyToPlayer(dlg), 1);

  EXPECT_EQ(CopyLines(), c.logged);
  EXPECT_EQ(PlayerFiles(), c.files);
  for (const std::string& file : c.files) {
    SCOPED_TRACE(file);
    EXPECT_TRUE(temp.ReadBytes("player\\" + file) ==
                temp.ReadBytes("lib\\" + file.substr(0, 1) + ".mp3"));
  }
  EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, OrderChoice,
    ::testing::Values(
        OrderCase{true, 2, {"   1 c", "   2 a"}, {"a.mp3", "c.mp3"}},
        OrderCase{true, 3, {"   1 c", "   2 a", "   3 b"}, {"a.mp3", "b.mp3", "c.mp3"}},
        OrderCase{true, 5, {"   1 b", "   2 b", "   3 b", "   4 b", "   5 b"},
                  {"b.mp3", "bi.mp3", "bii.mp3", "biii.mp3", "biiii.mp3"}},
        OrderCase{false, 2, {"   1 b", "   2 b"}, {"b.mp3", "bi.mp3"}}));

TEST_F(CopyRunTest, SameNameFromTwoFoldersGetsAnI) {
  AddSong("A\\canzone.mp3", 10);
  AddSong("B\\canzone.mp3", 20);
  SetOrder(2, {"0", "1"}, {"0", "1"});

  EXPECT_EQ(CopyToPlayer(dlg), 1);

  EXPECT_EQ(CopyLines(), (Lines{"   1 canzone", "   2 canzone"}));
  EXPECT_EQ(temp.ReadBytes("player\\canzone.mp3"), temp.ReadBytes("lib\\A\\canzone.mp3"));
  EXPECT_EQ(temp.ReadBytes("player\\canzonei.mp3"), temp.ReadBytes("lib\\B\\canzone.mp3"));
}

struct ExistingCase {
  Lines existing;
  const char* stored;
};

class SongAlreadyThere : public CopyRunTest, public ::testing::WithParamInterface<ExistingCase> {};

TEST_P(SongAlreadyThere, NewCopyTakesTheNextFreeName) {
  const ExistingCase& c = GetParam();
  for (const std::string& file : c.existing) temp.WriteBytes("player\\" + file, "old");
  AddSong("canzone.mp3", 10);
  SetOrder(1, {"0"}, {"0"});
  KeepExisting();

  EXPECT_EQ(CopyToPlayer(dlg), 1);

  EXPECT_EQ(CopyLines(), (Lines{"   1 canzone"}));
  EXPECT_EQ(temp.ReadBytes(std::string("player\\") + c.stored), temp.ReadBytes("lib\\canzone.mp3"));
  for (const std::string& file : c.existing) EXPECT_EQ(temp.ReadBytes("player\\" + file), "old");
  EXPECT_EQ(PlayerFiles().size(), c.existing.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SongAlreadyThere,
    ::testing::Values(ExistingCase{{}, "canzone.mp3"},
                      ExistingCase{{"canzone.mp3"}, "canzonei.mp3"},
                      ExistingCase{{"canzone.mp3", "canzonei.mp3"}, "canzoneii.mp3"},
                      ExistingCase{{"canzonei.mp3"}, "canzone.mp3"}));

struct SpaceCase {
  const char* what;
  const char* margin;
  double freeBytes;  // negative: the volume cannot tell
  bool fits;
};

class SpaceTest : public CopyRunTest, public ::testing::WithParamInterface<SpaceCase> {};

TEST_P(SpaceTest, FitsOnlyWithRoomToSpare) {
  const SpaceCase& c = GetParam();
  AddSong("a.mp3", 1000);
  SetOrder(1, {"0"}, {"0"});
  dlg.SetText(IDC_CLUSTER_BYTES, c.margin);
  if (c.freeBytes < 0) platform.SetFreeSpaceUnknown('E');
  else platform.SetFreeSpace('E', c.freeBytes, 4096);

  EXPECT_EQ(CopyToPlayer(dlg), c.fits ? 1 : 0);

  if (c.fits) {
    EXPECT_EQ(CopyLines(), (Lines{"   1 a"}));
    EXPECT_EQ(PlayerFiles(), (Lines{"a.mp3"}));
    EXPECT_TRUE(platform.messages.empty());
  } else {
    EXPECT_EQ(CopyLines(), (Lines{"   - a (non copiato: spazio insufficiente)"}));
    EXPECT_TRUE(PlayerFiles().empty());
    ExpectShortfallMessage(0, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Margins, SpaceTest,
    ::testing::Values(SpaceCase{"exactly size plus margin", "4096", 5096, false},
                      SpaceCase{"one byte more", "4096", 5097, true},
                      SpaceCase{"empty margin reads 0, equal", "", 1000, false},
                      SpaceCase{"empty margin reads 0, one more", "", 1001, true},
                      SpaceCase{"volume cannot tell", "4096", -1, false}));

struct SkipCase {
  int requested;
  int result;
};

class SkipAndGoOn : public CopyRunTest, public ::testing::WithParamInterface<SkipCase> {};

// b does not fit; the run goes on to c, so two songs of three are copied,
// and the total counts only the songs copied.
TEST_P(SkipAndGoOn, TakesTheNextPosition) {
  const SkipCase& c = GetParam();
  AddSong("a.mp3", 3072);
  AddSong("b.mp3", 100000);
  AddSong("c.mp3", 2048);
  SetOrder(c.requested, {"0", "1", "2"}, {"0", "1", "2"});
  platform.SetFreeSpace('E', 4096 + 50000, 4096);

  EXPECT_EQ(CopyToPlayer(dlg), c.result);

  EXPECT_EQ(CopyLines(),
            (Lines{"   1 a", "   - b (non copiato: spazio insufficiente)", "   2 c"}));
  EXPECT_EQ(LogLines().back(), "Scritti in totale 5 KBytes");
  EXPECT_EQ(PlayerFiles(), (Lines{"a.mp3", "c.mp3"}));
  if (c.result == 1) EXPECT_TRUE(platform.messages.empty());
  else ExpectShortfallMessage(2, c.requested);
}

INSTANTIATE_TEST_SUITE_P(Requested, SkipAndGoOn,
                         ::testing::Values(SkipCase{2, 1}, SkipCase{3, 0}));

TEST_F(CopyRunTest, FailedCopiesAreLoggedWithTheirCode) {
  for (const char* song : {"a.mp3", "b.mp3", "c.mp3"}) AddSong(song, 100);
  SetOrder(3, {"0", "1", "2"}, {"0", "1", "2"});
  platform.copiesBeforeFailure = 1;
  platform.copyFailureCode = 112;

  EXPECT_EQ(CopyToPlayer(dlg), 0);

  EXPECT_EQ(CopyLines(), (Lines{"   1 a", "   - b (non copiato: errore 112)",
                                "   - c (non copiato: errore 112)"}));
  EXPECT_EQ(PlayerFiles(), (Lines{"a.mp3"}));
  ExpectShortfallMessage(1, 3);
}

TEST_F(CopyRunTest, EntriesNamingNoSongArePassedOverSilently) {
  AddSong("a.mp3", 100);
  AddSong("b.mp3", 100);
  SetOrder(2, {"7", "-1", "1", "2", "0"}, {});

  EXPECT_EQ(CopyToPlayer(dlg), 1);

  EXPECT_EQ(CopyLines(), (Lines{"   1 b", "   2 a"}));
  EXPECT_TRUE(platform.messages.empty());
}

// A player on which every name is taken: the name grows until the path
// would pass its limit, and the song is then given up.
class CrowdedPlayer : public FakePlatform {
 public:
  CopyResult CopyNewFile(const std::string&, const std::string& to, unsigned long&) override {
    tried.push_back(to);
    return CopyResult::Exists;
  }
  Lines tried;
};

TEST_F(CopyRunTest, NameThatCannotGrowCountsAsFailed) {
  std::string name(240, 'n');
  Catalogue("C:\\Musica", name, "mp3", 10);
  SetOrder(1, {"0"}, {"0"});
  CrowdedPlayer crowded;
  crowded.workingDirectory = platform.workingDirectory;
  crowded.now = platform.now;
  crowded.SetFreeSpace('E', 1e9, 4096);
  PlatformScope scope(crowded);

  EXPECT_EQ(CopyToPlayer(dlg), 0);

  ASSERT_FALSE(crowded.tried.empty());
  EXPECT_EQ(crowded.tried.front(), "E:\\" + name + ".mp3");
  EXPECT_EQ(crowded.tried.back(), "E:\\" + name + std::string(12, 'i') + ".mp3");
  EXPECT_EQ(crowded.tried.back().size(), 259u);
  EXPECT_EQ(CopyLines(), (Lines{"   - " + name + " (non copiato: errore 206)"}));
  EXPECT_EQ(crowded.messages.size(), 1u);
}

TEST_F(CopyRunTest, EveryStatusTextIsRepaintedAtOnce) {
  temp.WriteBytes("player\\vecchio.mp3", "old");
  AddSong("a.mp3", 10);
  AddSong("b.mp3", 10);
  SetOrder(2, {"0", "1"}, {"0", "1"});
  platform.SetFreeSpace('E', 3.6 * 1048576, 4096);
  dlg.events.clear();

  EXPECT_EQ(CopyToPlayer(dlg), 1);

  std::map<int, Lines> shown;
  const auto& events = dlg.events;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].repaint) continue;
    SCOPED_TRACE(events[i].text);
    ASSERT_LT(i + 1, events.size());
    EXPECT_TRUE(events[i + 1].repaint && events[i + 1].id == events[i].id);
    shown[events[i].id].push_back(events[i].text);
  }
  std::string lib = temp.path() + "\\lib\\";
  EXPECT_EQ(shown[IDC_CATALOGUE_INFO],
            (Lines{"", "Cancello i file musicali del lettore", "", "Inizio a copiare 2 brani nel lettore",
                   "Copio il 1\xB0 brano di 2", "Copio il 2\xB0 brano di 2"}));
  EXPECT_EQ(shown[IDC_COMPILATION_INFO], (Lines{"", "", "4 MBytes liberi nel nel lettore",
                                                "4 MBytes liberi nel nel lettore"}));
  EXPECT_EQ(shown[IDC_STATUS_LINE], (Lines{"", "Cancello: vecchio.mp3", "", "Sto copiando " + lib + "a.mp3",
                                           "Sto copiando " + lib + "b.mp3"}));
}

TEST_F(CopyRunTest, LogThatCannotBeOpenedStopsEverything) {
  temp.WriteBytes("player\\vecchio.mp3", "old");
  AddSong("a.mp3", 10);
  SetOrder(1, {"0"}, {"0"});
  dlg.SetText(IDC_STATUS_LINE, "prima");
  platform.createsBeforeFailure = 0;

  EXPECT_EQ(CopyToPlayer(dlg), -1);

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text,
            "Impossibile aprire il file\n    \"Playlist.txt\"\n"
            "forse \xE8 utilizzato da un altro programma");
  EXPECT_EQ(platform.messages[0].caption, "ERRORE");
  EXPECT_EQ(platform.messages[0].style, MESSAGE_OK);
  EXPECT_TRUE(platform.quitPosted);
  EXPECT_EQ(PlayerFiles(), (Lines{"vecchio.mp3"}));
  EXPECT_EQ(Text(IDC_STATUS_LINE), "prima");
  EXPECT_FALSE(temp.Exists("work\\Playlist.txt"));
}

class ShuffleCopyButton : public CopyRunTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ShuffleCopyButton, DisablesRunsAndEnds) {
  bool logOpens = GetParam();
  AddSong("a.mp3", 10);
  SetOrder(1, {"0"}, {"0"});
  dlg.SetText(IDC_MODIFIED_FLAG, "S");
  ASSERT_TRUE(dlg.IsButtonEnabled(IDC_SHUFFLE_COPY));
  if (!logOpens) platform.createsBeforeFailure = 0;

  dlg.UserClick(IDC_SHUFFLE_COPY);

  EXPECT_TRUE(platform.ended);
  for (int id : {IDC_ADD_INCLUDED, IDC_ADD_EXCLUDED, IDC_CHOOSE_PLAYER, IDC_REMOVE_INCLUDED,
                 IDC_REMOVE_EXCLUDED, IDC_FINISH, IDC_SHUFFLE_COPY, IDC_OPEN_PLAYLIST, IDC_SAVE_AS}) {
    EXPECT_FALSE(dlg.IsButtonEnabled(id)) << id;
  }
  EXPECT_TRUE(dlg.IsButtonEnabled(IDC_SAVE));
  EXPECT_EQ(PlayerFiles(), logOpens ? Lines{"a.mp3"} : Lines{});
  EXPECT_EQ(temp.Exists("work\\Playlist.txt"), logOpens);
  EXPECT_FALSE(temp.Exists("player\\Playlist.txt"));
}

INSTANTIATE_TEST_SUITE_P(Log, ShuffleCopyButton, ::testing::Bool());

}  // namespace
