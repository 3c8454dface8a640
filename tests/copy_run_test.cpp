#include <map>

#include "copy/copy.h"
#include "dialog_fixture.h"

namespace {

class CopyTest : public DialogTest {
 protected:
  void SetUp() override {
    StartComputer();
    dlg.SetText(IDC_CLUSTER_BYTES, "4096");
  }
  // An empty player and catalogue for the next case.
  void Reset() {
    std::filesystem::remove_all(temp.Native("E"));
    temp.MakeFolder("E");
    for (int id : {IDC_SONG_FOLDERS, IDC_SONG_NAMES, IDC_SONG_EXTS, IDC_SONG_SIZES}) dlg.ClearList(id);
  }
  void ExpectShortfall(int copied, int requested) {
    ExpectMessage(Format("Copiati %d brani su %d richiesti.\n"
                         "I brani non copiati sono elencati in \"Playlist.txt\".", copied, requested),
                  "A T T E N Z I O N E !", MESSAGE_OK | MESSAGE_ICON_EXCLAMATION);
  }
};

TEST_F(CopyTest, ClearsCopiesAndLogsToTheByte) {
  temp.WriteBytes("E\\Vecchio.mp3", "old");
  temp.WriteBytes("E\\Altro.wma", "old");
  temp.WriteBytes("C\\lavoro\\Playlist.txt", std::string(5000, 'x'));  // replaced whole
  AddSong("Intro.mp3", 3000000);
  AddSong("Finale.mp3", 5242880);
  SetOrder(2, {"0", "1"}, {"1", "1"});
  // The deletions are numbered in the order the file system lists them.
  Strings deleted;
  std::unique_ptr<FolderListing> listing = System().ListFolder("E:");
  for (FolderEntry entry; listing->Next(entry);) {
    if (entry.name != "." && entry.name != "..") deleted.push_back(entry.name);
  }
  listing.reset();
  ASSERT_EQ(deleted.size(), 2u);

  EXPECT_EQ(CopyToPlayer(dlg), 1);

  const std::string stamp = std::string(kStamp) + "\r\n";
  EXPECT_EQ(temp.ReadBytes("C\\lavoro\\Playlist.txt"),
            "PLAY-LIST\r\n\r\nInizio a cancellare il " + stamp + "Cancello    1  " + deleted[0] + " \r\n" +
                "Cancello    2  " + deleted[1] + " \r\nFinito di cancellare il " + stamp +
                "\r\nInizio a copiare i brani il " + stamp + "\r\n   1 Intro\r\n   2 Finale\r\n\r\n" +
                "Finito di copiare i brani il " + stamp + "Scritti in totale 8050 KBytes\r\n");
  EXPECT_EQ(Files(), Strings({"Finale.mp3", "Intro.mp3"}));
  EXPECT_TRUE(SameBytes("E\\Intro.mp3", "C\\lib\\Intro.mp3") && SameBytes("E\\Finale.mp3", "C\\lib\\Finale.mp3"));
  EXPECT_TRUE(shell.messages.empty());
}

// The log stays Windows-1252 unless a song of the catalogue or a file in
// the player's root has a name outside it; then it is UTF-8 after its mark.
TEST_F(CopyTest, TheLogIsWindows1252WhileEveryNameFits) {
  struct {
    const char* song;
    const char* onPlayer;
    std::string line;
  } cases[] = {
      {"Città.mp3", "Perché.txt", "   1 Citt\xE0\r\n"},
      {"Città.mp3", "東京.txt", "   1 Città\r\n"},
      {"Пётр.mp3", "", "   1 Пётр\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.song + std::string(" ") + c.onPlayer);
    Reset();
    if (*c.onPlayer) temp.WriteBytes(std::string("E\\") + c.onPlayer, "x");
    AddSong(c.song, 10);
    SetOrder(1, {"0"}, {"0"});
    CopyToPlayer(dlg);
    std::string log = temp.ReadBytes("C\\lavoro\\Playlist.txt");
    bool utf8 = c.line.find('\xE0') == std::string::npos;
    EXPECT_EQ(log.compare(0, 3, "\xEF\xBB\xBF") == 0, utf8);
    EXPECT_NE(log.find(c.line), std::string::npos);
  }
}

// Names of every script, and on POSIX a name that is not UTF-8 at all,
// are catalogued and copied under their own bytes and named in the log.
TEST_F(CopyTest, NamesOfEveryScriptAreCataloguedCopiedAndLogged) {
  Strings songs{"Caffè", "Canto", "Niño", "Łódź", "Über", "Пётр", "東京", "🎵"};
#ifndef _WIN32
  songs.push_back("Caf\xE9");
#endif
  for (const std::string& song : songs) {
    temp.WriteBytes((song == "Canto" ? "C\\lib\\Μουσική\\" : "C\\lib\\") + song + ".mp3", song);
  }
  Include("C:\\lib");
  EXPECT_EQ(Text(IDC_SONG_COUNT), std::to_string(songs.size()));
  EXPECT_EQ(CopyToPlayer(dlg), 1);
  Strings copied;
  for (const std::string& song : songs) copied.push_back(song + ".mp3");
  std::sort(copied.begin(), copied.end());
  EXPECT_EQ(Files(), copied);
  std::string log = temp.ReadBytes("C\\lavoro\\Playlist.txt");
  EXPECT_EQ(log.substr(0, 3), "\xEF\xBB\xBF");
  for (const std::string& song : songs) EXPECT_NE(log.find(" " + song + "\r\n"), std::string::npos) << song;
}

// Records 1, 5, 7 and 8 only.
TEST_F(CopyTest, NothingRequestedWritesOnlyTheFrame) {
  AddSong("a.mp3", 10);
  SetOrder(0, {"0"}, {"0"});
  dlg.UserClick(IDC_KEEP_EXISTING);
  EXPECT_EQ(CopyToPlayer(dlg), 1);
  EXPECT_EQ(LogLines(), Strings({"PLAY-LIST", "", "Inizio a copiare i brani il " + std::string(kStamp), "", "",
                                 "Finito di copiare i brani il " + std::string(kStamp),
                                 "Scritti in totale 0 KBytes"}));
  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(shell.messages.empty());
}

// Three songs a, b, c; the permutation is c a b, the draws with repetition
// are b five times, so the log tells which list was read. A song drawn
// again is stored with "i" added and logged under its own name.
TEST_F(CopyTest, ReadsTheOrderListTheRuleChooses) {
  const std::tuple<int, int, Strings, Strings> cases[] = {
      {IDC_REPEAT_FORBIDDEN, 2, {"   1 c", "   2 a"}, {"a.mp3", "c.mp3"}},
      {IDC_REPEAT_FORBIDDEN, 3, {"   1 c", "   2 a", "   3 b"}, {"a.mp3", "b.mp3", "c.mp3"}},
      {IDC_REPEAT_FORBIDDEN, 5, {"   1 b", "   2 b", "   3 b", "   4 b", "   5 b"},
       {"b.mp3", "bi.mp3", "bii.mp3", "biii.mp3", "biiii.mp3"}},
      {IDC_REPEAT_ALLOWED, 2, {"   1 b", "   2 b"}, {"b.mp3", "bi.mp3"}},
  };
  for (const char* song : {"a.mp3", "b.mp3", "c.mp3"}) AddSong(song, 100);
  for (const auto& [button, requested, logged, files] : cases) {
    SCOPED_TRACE(testing::Message() << button << " " << requested);
    SetOrder(requested, {"2", "0", "1"}, {"1", "1", "1", "1", "1"});
    dlg.UserClick(button);
    EXPECT_EQ(CopyToPlayer(dlg), 1);
    EXPECT_EQ(CopyLines(), logged);
    EXPECT_EQ(Files(), files);
    for (const std::string& file : files) {
      EXPECT_TRUE(SameBytes("E\\" + file, "C\\lib\\" + file.substr(0, 1) + ".mp3")) << file;
    }
  }
  EXPECT_TRUE(shell.messages.empty());
}

// Songs already on the player stay when it is not cleared; a copy takes
// the next free name, also for two songs of one name from two folders.
TEST_F(CopyTest, ATakenNameGetsAnIBeforeTheDot) {
  temp.WriteBytes("E\\canzone.mp3", "old");
  temp.WriteBytes("E\\canzonei.mp3", "old");
  AddSong("A\\canzone.mp3", 10);
  AddSong("B\\canzone.mp3", 20);
  SetOrder(2, {"0", "1"}, {"0", "1"});
  dlg.UserClick(IDC_KEEP_EXISTING);
  EXPECT_EQ(CopyToPlayer(dlg), 1);
  EXPECT_EQ(CopyLines(), Strings({"   1 canzone", "   2 canzone"}));
  EXPECT_EQ(Files(), Strings({"canzone.mp3", "canzonei.mp3", "canzoneii.mp3", "canzoneiii.mp3"}));
  EXPECT_EQ(temp.ReadBytes("E\\canzone.mp3") + temp.ReadBytes("E\\canzonei.mp3"), "oldold");
  EXPECT_TRUE(SameBytes("E\\canzoneii.mp3", "C\\lib\\A\\canzone.mp3"));
  EXPECT_TRUE(SameBytes("E\\canzoneiii.mp3", "C\\lib\\B\\canzone.mp3"));
}

// A song fits only when its size plus the cluster margin is less than the
// free space; when even the smallest song does not, the run ends there. One
// that does not fit while a smaller one would, or whose copy fails, is
// logged as skipped and the run goes on with the next position; an entry
// naming no song is passed over. The total counts the songs copied.
TEST_F(CopyTest, SongsThatDoNotFitOrFailAreSkippedAndTheRunGoesOn) {
  const std::pair<double, bool> cases[] = {{5096, false}, {5097, true}, {-1, false}};  // -1: cannot tell
  for (auto [freeBytes, fits] : cases) {
    SCOPED_TRACE(freeBytes);
    Reset();
    AddSong("a.mp3", 1000);
    SetOrder(1, {"0"}, {"0"});
    platform.SetFreeSpace('E', freeBytes, 4096);
    EXPECT_EQ(CopyToPlayer(dlg), fits ? 1 : 0);
    EXPECT_EQ(CopyLines(), Strings({fits ? "   1 a" : "   - lettore pieno"}));
    EXPECT_EQ(Files(), fits ? Strings({"a.mp3"}) : Strings());
    if (!fits) ExpectShortfall(0, 1);
  }
  Reset();
  for (auto [song, size] : {std::pair{"a.mp3", 3072}, std::pair{"b.mp3", 100000}, std::pair{"c.mp3", 2048},
                            std::pair{"d.mp3", 100}}) {
    AddSong(song, size);
  }
  SetOrder(3, {"7", "0", "-1", "1", "2", "3"}, {});
  platform.SetFreeSpace('E', 4096 + 50000, 4096);
  platform.copiesBeforeFailure = 2;
  platform.copyFailureCode = 112;
  EXPECT_EQ(CopyToPlayer(dlg), 0);
  EXPECT_EQ(CopyLines(), Strings({"   1 a", "   - b (non copiato: spazio insufficiente)", "   2 c",
                                  "   - d (non copiato: errore 112)"}));
  EXPECT_EQ(LogLines().back(), "Scritti in totale 5 KBytes");
  EXPECT_EQ(Files(), Strings({"a.mp3", "c.mp3"}));
  ExpectShortfall(2, 3);
}

// A player on which every name is taken: the name grows until the path
// would pass its limit, and the song is then given up.
TEST_F(CopyTest, ANameThatCannotGrowCountsAsAFailedCopy) {
  struct CrowdedPlayer : FakePlatform {
    CopyResult CopyNewFile(const std::string&, const std::string& to, unsigned long&) override {
      tried.push_back(to);
      return CopyResult::Exists;
    }
    Strings tried;
  } crowded;
  crowded.MapDrive('C', DRIVE_KIND_FIXED, temp.path() + "\\C");
  crowded.workingDirectory = platform.workingDirectory;
  crowded.now = platform.now;
  crowded.SetFreeSpace('E', 1e9, 4096);
  PlatformScope scope(crowded);
  dlg.UserClick(IDC_KEEP_EXISTING);
  Catalogue("C:\\Musica", std::string(240, 'n'), "mp3", 10);
  SetOrder(1, {"0"}, {"0"});
  EXPECT_EQ(CopyToPlayer(dlg), 0);
  EXPECT_EQ(crowded.tried.size(), 13u);
  EXPECT_EQ(crowded.tried.back(), "E:\\" + std::string(240, 'n') + std::string(12, 'i') + ".mp3");  // 259
  EXPECT_EQ(CopyLines(), Strings({"   - " + std::string(240, 'n') + " (non copiato: errore 206)"}));
}

TEST_F(CopyTest, EveryStatusTextIsRepaintedAtOnce) {
  temp.WriteBytes("E\\vecchio.mp3", "old");
  AddSong("a.mp3", 10);
  AddSong("b.mp3", 10);
  SetOrder(2, {"0", "1"}, {"0", "1"});
  platform.SetFreeSpace('E', 3.6 * 1048576, 4096);
  dlg.events.clear();
  EXPECT_EQ(CopyToPlayer(dlg), 1);
  std::map<int, Strings> shown;
  for (std::size_t i = 0; i < dlg.events.size(); ++i) {
    if (dlg.events[i].repaint) continue;
    ASSERT_LT(i + 1, dlg.events.size());
    EXPECT_TRUE(dlg.events[i + 1].repaint && dlg.events[i + 1].id == dlg.events[i].id) << dlg.events[i].text;
    shown[dlg.events[i].id].push_back(dlg.events[i].text);
  }
  EXPECT_EQ(shown[IDC_CATALOGUE_INFO],
            Strings({"", "Cancello i file musicali del lettore", "", "Inizio a copiare 2 brani nel lettore",
                     "Copio il 1° brano di 2", "Copio il 2° brano di 2"}));
  EXPECT_EQ(shown[IDC_COMPILATION_INFO],
            Strings({"", "", "4 MBytes liberi nel nel lettore", "4 MBytes liberi nel nel lettore"}));
  EXPECT_EQ(shown[IDC_STATUS_LINE], Strings({"", "Cancello: vecchio.mp3", "", "Sto copiando C:\\lib\\a.mp3",
                                             "Sto copiando C:\\lib\\b.mp3"}));
}

// Only song files directly in the player's root go, each logged before its
// deletion is tried; one that cannot be deleted stays, logged and counted.
TEST_F(CopyTest, ClearingDeletesOnlySongFilesInTheRoot) {
  for (const char* file : {"SONG.MP3", "altra.Mp3", "x.wav", "tenuta.mp3", "notes.txt", "a", "a.mp3.bak",
                           "sub\\z.mp3", "Live.mp3\\y.mp3"}) {
    temp.WriteBytes(std::string("E\\") + file, "data");
  }
  platform.lockedFiles = {"E:\\tenuta.mp3"};
  SetOrder(0, {}, {});
  CopyToPlayer(dlg);
  Strings names;  // from "Cancello %4d  %s "
  for (const std::string& record : CopyLines("Inizio a cancellare il ", "Finito di cancellare il ")) {
    names.push_back(record.substr(15, record.size() - 16));
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, Strings({"SONG.MP3", "altra.Mp3", "tenuta.mp3", "x.wav"}));
  EXPECT_EQ(Files(), Strings({"Live.mp3\\", "a", "a.mp3.bak", "notes.txt", "sub\\", "tenuta.mp3"}));
  EXPECT_TRUE(temp.Exists("E\\sub\\z.mp3") && temp.Exists("E\\Live.mp3\\y.mp3"));
}

// "Mescola e copia": every button but "Salva e continua" disabled, the run,
// the last-copy record, and the end, even when no file can be written (the
// user is told, and the player is left alone).
TEST_F(CopyTest, ShuffleAndCopyRunsAndEnds) {
  const std::string record = "*C:\\Jazz\r\n*C:\\Musica\r\n?C:\\Musica\\Natale\r\n";
  for (bool logOpens : {true, false}) {
    SCOPED_TRACE(logOpens);
    Reset();
    std::filesystem::remove(temp.Native("C\\lavoro\\Playlist.txt"));
    temp.WriteBytes("E\\vecchio.mp3", "old");
    for (const char* folder : {"C:\\Jazz", "C:\\Musica"}) Include(folder);
    Exclude("C:\\Musica\\Natale");
    AddSong("a.mp3", 10);
    SetOrder(1, {"0"}, {"0"});
    shell.ended = false;
    platform.failCreate = !logOpens;
    dlg.UserClick(IDC_SHUFFLE_COPY);

    EXPECT_TRUE(shell.ended);
    for (int id : {IDC_ADD_INCLUDED, IDC_ADD_EXCLUDED, IDC_CHOOSE_PLAYER, IDC_REMOVE_INCLUDED, IDC_REMOVE_EXCLUDED,
                   IDC_FINISH, IDC_SHUFFLE_COPY, IDC_OPEN_PLAYLIST, IDC_SAVE_AS}) {
      EXPECT_FALSE(dlg.IsButtonEnabled(id)) << id;
    }
    EXPECT_TRUE(dlg.IsButtonEnabled(IDC_SAVE));
    EXPECT_EQ(Files(), Strings({logOpens ? "a.mp3" : "vecchio.mp3"}));
    EXPECT_EQ(temp.Exists("C\\lavoro\\Playlist.txt"), logOpens);
    // Written by the first run, kept by the second.
    EXPECT_EQ(temp.ReadBytes("C\\lavoro\\ultima.lis"), record);
    // The record is no playlist of the user's.
    EXPECT_EQ(Texts({IDC_PLAYLIST_PATH, IDC_MODIFIED_FLAG}), Strings({"", "S"}));
    EXPECT_EQ(shell.quit, !logOpens);
    Strings shown;
    for (const ShownMessage& message : shell.messages) shown.push_back(message.text);
    EXPECT_EQ(shown, logOpens ? Strings()
                              : Strings({"Impossibile aprire il file\n    \"Playlist.txt\"\n"
                                         "forse è utilizzato da un altro programma",
                                         "Impossibile aprire il file \"ultima.lis\"\n"
                                         "forse è utilizzato da un altro programma"}));
  }
}

// Clearing a drive that is not removable asks first; No leaves everything
// as it was: no log, no record, the same buttons, the window open.
TEST_F(CopyTest, ClearingADriveThatIsNotRemovableAsksFirst) {
  const std::tuple<const char*, int, int, bool> cases[] = {
      // player, radio button, answer, asked
      {"C:", IDC_CLEAR_BEFORE, ANSWER_NO, true},    {"C:", IDC_CLEAR_BEFORE, ANSWER_YES, true},
      {"C:", IDC_KEEP_EXISTING, ANSWER_NO, false},  {"E:", IDC_CLEAR_BEFORE, ANSWER_NO, false},
  };
  Include("C:\\lib");
  for (const auto& [player, button, answer, asked] : cases) {
    SCOPED_TRACE(testing::Message() << player << " " << button << " " << answer);
    const std::string old = std::string(1, player[0]) + "\\vecchio.mp3";  // on the player
    temp.WriteBytes(old, "old");
    std::filesystem::remove(temp.Native("C\\lavoro\\Playlist.txt"));
    std::filesystem::remove(temp.Native("C\\lavoro\\ultima.lis"));
    shell.ended = false;
    AddSong("a.mp3", 10);
    SetOrder(1, {"0"}, {"0"});
    dlg.SetText(IDC_PLAYER_PATH, player);
    dlg.UserClick(button);
    shell.messageAnswers = {answer};
    dlg.UserClick(IDC_SHUFFLE_COPY);

    bool ran = !asked || answer == ANSWER_YES;
    if (asked) {
      ExpectMessage(Format("L'unità %s non è un disco rimovibile.\n"
                           "Cancellare comunque i file musicali della sua cartella principale?", player),
                    "A T T E N Z I O N E !", MESSAGE_YES_NO | MESSAGE_ICON_EXCLAMATION);
    }
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(shell.ended, ran);
    EXPECT_EQ(temp.Exists("C\\lavoro\\Playlist.txt") && temp.Exists("C\\lavoro\\ultima.lis"), ran);
    EXPECT_EQ(temp.Exists(old), !ran || button == IDC_KEEP_EXISTING);
    EXPECT_EQ(dlg.IsButtonEnabled(IDC_SHUFFLE_COPY), !ran);
  }
}

}  // namespace
