#include "copy/copy.h"
#include "dialog_fixture.h"

class CopyTest : public DialogTest {
 protected:
  CopyTest() { dlg.SetText(IDC_CLUSTER_BYTES, "4096"); }
  void EmptyPlayer(const std::string& file) {
    fs::remove_all(temp.Native("E"));
    temp.Write("E\\" + (file.empty() ? "nulla.txt" : file), "old");
  }
};

// Clearing deletes only the song files of the player's root, each logged.
TEST_F(CopyTest, ClearsCopiesAndLogsToTheByte) {
  for (const char* file : {"Vecchio.mp3", "note.txt", "a.mp3.bak", "Live.mp3\\y.mp3"}) {
    temp.Write(std::string("E\\") + file, "");
  }
  temp.Write("C\\lavoro\\Playlist.txt", std::string(5000, 'x'));  // replaced whole
  AddSong("Intro", 3000000, "intro");
  AddSong("Finale", 5242880, "finale");
  SetOrder(2, {"0", "1"}, {"1", "1"});
  EXPECT_EQ(CopyToPlayer(dlg), 1);
  const std::string stamp = std::string(kStamp) + "\r\n";
  EXPECT_EQ(temp.Read("C\\lavoro\\Playlist.txt"),
            "PLAY-LIST\r\n\r\nInizio a cancellare il " + stamp + "Cancello    1  Vecchio.mp3 \r\n" +
                "Finito di cancellare il " + stamp + "\r\nInizio a copiare i brani il " + stamp +
                "\r\n   1 Intro\r\n   2 Finale\r\n\r\n" +
                "Finito di copiare i brani il " + stamp + "Scritti in totale 8050 KBytes\r\n");
  EXPECT_EQ(Files(), Strings({"Finale.mp3", "Intro.mp3", "Live.mp3\\", "a.mp3.bak", "note.txt"}));
  EXPECT_EQ(temp.Read("E\\Intro.mp3") + temp.Read("E\\Finale.mp3") + Messages(), "introfinale");
  // A file that will not go is still counted: the log numbers what was tried.
  platform.failure = FakePlatform::kRemoveFails;
  std::unique_ptr<OutputFile> log = System().CreateOutputFile("C:\\lavoro\\cancella.txt");
  ClearPlayer(dlg, *log);
  log->Close();
  EXPECT_NE(temp.Read("C\\lavoro\\cancella.txt").find("Cancello    2  "), std::string::npos);
  EXPECT_EQ(Files().size(), 5u);
}

// A name of 259 UTF-16 units on the player is tried, and fails as the
// system fails it (no file system takes a file name that long); 260 is not tried.
#ifdef _WIN32
const std::string kNoSuchName = "2";
#else
const std::string kNoSuchName = "36";  // ENAMETOOLONG
#endif

// Songs a, b, c, one whose file is missing and two whose names on the
// player would be 259 and 260 units long; the player holds a c.mp3 of its
// own. Each row: the order lists, how many songs, the free space.
TEST_F(CopyTest, TheRunFollowsTheOrderSkipsWhatFailsAndEndsWhenFull) {
  const std::string n259 = "🎵" + std::string(250, 'n'), n260 = n259 + "n";  // E:\ + name + .mp3
  const std::tuple<bool, int, Strings, Strings, double, Strings, Strings> rows[] = {
      // roulette, requested, the order lists, free bytes, the log's song lines, the player's files
      {false, 2, {"2", "0", "1"}, {"1"}, 1e9, {"   1 c", "   2 a"}, {"a.mp3", "c.mp3", "ci.mp3"}},
      {false, 7, {"2"}, {"1", "1", "9", "-1"}, 1e9, {"   1 b", "   2 b"}, {"b.mp3", "bi.mp3", "c.mp3"}},
      {true, 1, {"2"}, {"0"}, 1e9, {"   1 a"}, {"a.mp3", "c.mp3"}},
      {false, 1, {"0"}, {}, 5097, {"   1 a"}, {"a.mp3", "c.mp3"}},  // a cluster to spare
      {false, 1, {"0"}, {}, 5096, {"   - a (non copiato: spazio insufficiente)"}, {"c.mp3"}},
      {false, 2, {"1", "0"}, {}, 4106, {"   - lettore pieno"}, {"c.mp3"}},  // not even the smallest song fits
      {false, 3, {"7", "1", "-1", "3", "0", "2"}, {}, 54096,
       {"   - b (non copiato: spazio insufficiente)", "   - manca (non copiato: errore 2)", "   1 a", "   2 c"},
       {"a.mp3", "c.mp3", "ci.mp3"}},
      {false, 1, {"4", "5"}, {}, 1e9,
       {"   - " + n259 + " (non copiato: errore " + kNoSuchName + ")", "   - " + n260 + " (non copiato: errore 206)"},
       {"c.mp3"}},
  };
  for (auto [name, size, bytes] : {std::tuple<std::string, int, const char*>{"a", 1000, "a"}, {"b", 100000, "b"},
                                   {"c", 2000, "c"}, {"manca", 10, nullptr}, {n259, 10, nullptr},
                                   {n260, 10, nullptr}}) {
    AddSong(name, size, bytes);
  }
  dlg.UserClick(IDC_KEEP_EXISTING);
  for (const auto& [roulette, requested, order, draws, freeBytes, lines, files] : rows) {
    SCOPED_TRACE(lines[0]);
    EmptyPlayer("c.mp3");
    platform.freeBytes['E'] = freeBytes;
    dlg.UserClick(roulette ? IDC_REPEAT_ALLOWED : IDC_REPEAT_FORBIDDEN);
    SetOrder(requested, order, draws);
    int copied = 0;
    for (const std::string& line : lines) copied += line[3] != '-';
    EXPECT_EQ(CopyToPlayer(dlg), copied == requested);
    EXPECT_EQ(CopyLines(), lines);
    EXPECT_EQ(Files(), files);
    for (const std::string& file : files) {  // each copy holds its song
      EXPECT_EQ(temp.Read("E\\" + file), file == "c.mp3" ? "old" : file.substr(0, 1)) << file;
    }
    EXPECT_EQ(Messages(), copied == requested ? "" : Format("%sCopiati %d brani su %d richiesti.\nI brani non "
              "copiati sono elencati in \"Playlist.txt\".|48", kWarning, copied, requested));
  }
}

// The log stays Windows-1252 while every name of the catalogue and of the
// player's root fits it, else it is UTF-8 after its mark; a name that is no
// UTF-8 at all (POSIX) is catalogued and copied too.
TEST_F(CopyTest, SongNamesAreCopiedAndLoggedInTheLogsEncoding) {
  const std::tuple<std::string, const char*, const char*> rows[] = {
      {"Città ÿ", "Perché.txt", "   1 Citt\xE0 \xFF\r\n"}, {"Città", "東京.txt", "\xEF\xBB\xBF"},
      {"Пётр", "", "   1 Пётр\r\n"},
#ifndef _WIN32
      {"Caf\xE9", "", "   1 Caf\xE9\r\n"},
#endif
  };
  for (const auto& [song, onPlayer, logged] : rows) {
    SCOPED_TRACE(song);
    EmptyPlayer(onPlayer);
    fs::remove_all(temp.Native("C\\lib"));
    temp.Write("C\\lib\\" + song + ".mp3", song);
    Add("C:\\lib");
    EXPECT_EQ(CopyToPlayer(dlg), 1);
    EXPECT_EQ(temp.Read("E\\" + song + ".mp3"), song);
    std::string log = temp.Read("C\\lavoro\\Playlist.txt");
    EXPECT_EQ(log.rfind("\xEF\xBB\xBF", 0) == 0, std::string(logged) != "   1 Citt\xE0 \xFF\r\n");
    EXPECT_NE(log.find(logged), std::string::npos);
  }
}

// Clearing a drive that is not removable (fixed, a RAM disk) asks first; No
// leaves all as it was.
TEST_F(CopyTest, ShuffleAndCopyAsksBeforeClearingAFixedDriveThenRunsAndEnds) {
  const std::tuple<const char*, int, int, bool> rows[] = {
      {"C:", IDC_CLEAR_BEFORE, ANSWER_NO, true}, {"C:", IDC_CLEAR_BEFORE, ANSWER_YES, true},
      {"C:", IDC_KEEP_EXISTING, ANSWER_NO, false}, {"E:", IDC_CLEAR_BEFORE, ANSWER_NO, false},
      {"R:", IDC_CLEAR_BEFORE, ANSWER_NO, true}};
  platform.MapDrive('R', DRIVE_KIND_RAMDISK, temp.path + "\\R");
  AddSong("a", 10, "a");
  Add("C:\\lib");
  for (const auto& [player, button, answer, asked] : rows) {
    SCOPED_TRACE(testing::Message() << player << button << answer);
    const std::string old = std::string(1, player[0]) + "\\vecchio.mp3";
    temp.Write(old, "old");
    fs::remove(temp.Native("C\\lavoro\\ultima.lis"));
    shell.ended = false;
    shell.answers = {answer};
    dlg.SetText(IDC_PLAYER_PATH, player);
    dlg.UserClick(button);
    dlg.UserClick(IDC_SHUFFLE_COPY);
    bool ran = !asked || answer == ANSWER_YES;
    EXPECT_EQ(Messages(), asked ? Format("%sL'unità %s non è un disco rimovibile.\nCancellare comunque i file "
                                         "musicali della sua cartella principale?|52", kWarning, player) : "");
    EXPECT_EQ(shell.ended, ran);
    EXPECT_EQ(fs::exists(temp.Native("C\\lavoro\\ultima.lis")), ran);
    EXPECT_EQ(fs::exists(temp.Native(old)), !ran || button == IDC_KEEP_EXISTING);
    EXPECT_EQ(dlg.IsButtonEnabled(IDC_OPEN_PLAYLIST), !ran);  // all disabled by a run
  }
}
