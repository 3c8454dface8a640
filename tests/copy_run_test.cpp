#include <future>
#include <thread>

#include "copy/copy.h"
#include "dialog_fixture.h"

using CopyTest = DialogTest;

// Clearing deletes only the song files of the player's root, each logged,
// and counts those that would not go too. The log stays Windows-1252
// while every name of the catalogue and of the player's root fits it
// ("ÿ" too), else it is UTF-8 after its mark.
TEST_F(CopyTest, ClearsCopiesAndLogsToTheByte) {
  for (std::string file : {"Vecchio.mp3", "note.txt", "a.mp3.bak", "Live.mp3\\y.mp3"}) temp.Write("E\\" + file, "");
  temp.Write("C\\lavoro\\Playlist.txt", std::string(5000, 'x'));  // replaced whole
  AddSong("Città ÿ", 3000000, "città");
  AddSong("Finale", 5242880, "finale");
  SetOrder(2, {"0", "1"}, {"1", "1"});
  EXPECT_EQ(CopyToPlayer(dlg), 1);
  const std::string stamp = std::string(kStamp) + "\r\n";
  EXPECT_EQ(temp.Read("C\\lavoro\\Playlist.txt"),
            "PLAY-LIST\r\n\r\nInizio a cancellare il " + stamp + "Cancello    1  Vecchio.mp3 \r\nFinito di "
            "cancellare il " + stamp + "\r\nInizio a copiare i brani il " + stamp + "\r\n   1 Citt\xE0 \xFF\r\n   2 "
            "Finale\r\n\r\nFinito di copiare i brani il " + stamp + "Scritti in totale 8050 KBytes\r\n");
  EXPECT_EQ(Files(), Strings({"Città ÿ.mp3", "Finale.mp3", "Live.mp3\\", "a.mp3.bak", "note.txt"}));
  EXPECT_EQ(temp.Read("E\\Città ÿ.mp3") + Messages(), "città");
  temp.Write("E\\東京.txt", "");
  platform.failure = FakePlatform::kRemoveFails;
  CopyToPlayer(dlg);
  std::string log = temp.Read("C\\lavoro\\Playlist.txt");
  EXPECT_EQ(log.rfind("\xEF\xBB\xBF", 0), 0u);
  EXPECT_NE(log.find("Cancello    2  "), std::string::npos);
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
      {false, 1, {"0"}, {}, -1, {"   - lettore scollegato"}, {"c.mp3"}},  // the free space cannot be read
      {false, 3, {"7", "1", "-1", "3", "0", "2"}, {}, 54096,
       {"   - b (non copiato: spazio insufficiente)", "   - manca (non copiato: errore 2)", "   1 a", "   2 c"},
       {"a.mp3", "c.mp3", "ci.mp3"}},
      {false, 1, {"4", "5"}, {}, 1e9,
       {"   - " + n259 + " (non copiato: errore " + kNoSuchName + ")", "   - " + n260 + " (non copiato: errore 206)"},
       {"c.mp3"}},
  };
  for (auto [name, size, bytes] : {std::tuple<std::string, int, const char*>{"a", 1000, "a"}, {"b", 100000, "b"},
                                   {"c", 2000, "c"}, {"manca", 10, nullptr}, {n259, 10, nullptr}, {n260, 10, nullptr}})
    AddSong(name, size, bytes);
  dlg.UserClick(IDC_KEEP_EXISTING);
  dlg.SetText(IDC_CLUSTER_BYTES, "4096");
  for (const auto& [roulette, requested, order, draws, freeBytes, lines, files] : rows) {
    SCOPED_TRACE(lines[0]);
    fs::remove_all(temp.Native("E"));
    temp.Write("E\\c.mp3", "old");
    platform.freeBytes['E'] = freeBytes;
    dlg.UserClick(roulette ? IDC_REPEAT_ALLOWED : IDC_REPEAT_FORBIDDEN);
    SetOrder(requested, order, draws);
    int copied = std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return line[3] != '-'; });
    EXPECT_EQ(CopyToPlayer(dlg), copied == requested);
    EXPECT_EQ(CopyLines(), lines);
    EXPECT_EQ(Files(), files);
    for (const std::string& file : files) EXPECT_EQ(temp.Read("E\\" + file), file == "c.mp3" ? "old" : file.substr(0, 1));
    const std::string& last = lines.back();
    const char* why = last == "   - lettore pieno" ? ": il lettore è pieno."
                      : last == "   - lettore scollegato" ? "." : ".\nI brani non copiati sono elencati in \"Playlist.txt\".";
    const char* gone = last == "   - lettore scollegato" ? "Il lettore E: non è più collegato.\n" : "";
    EXPECT_EQ(Messages(), copied == requested ? "" : Format("%s%sCopiati %d brani su %d richiesti%s|48", kWarning,
                                                            gone, copied, requested, why));
  }
}

// Clearing a drive that is not removable (fixed, a RAM disk) asks first; No
// leaves all as it was. While another program's run holds the player, "Mescola
// e copia" says so and changes nothing either: no log, no ultima.lis, the
// buttons as they were.
TEST_F(CopyTest, ShuffleAndCopyAsksFirstAndRunsOncePerPlayer) {
  const std::string question = kWarning + std::string("L'unità %s non è un disco rimovibile.\nCancellare comunque i "
                                                       "file musicali della sua cartella principale?|52");
  const std::string held = "ERRORE|Il lettore %s è in uso da un'altra copia di Mescola.\nRiprovare quando avrà finito.|48";
  const std::tuple<const char*, int, int, std::string, bool> rows[] = {
      // player, clearing or not, answer, message, whether it ran
      {"C:", IDC_CLEAR_BEFORE, ANSWER_NO, question, false}, {"C:", IDC_CLEAR_BEFORE, ANSWER_YES, question, true},
      {"C:", IDC_KEEP_EXISTING, ANSWER_NO, "", true}, {"R:", IDC_CLEAR_BEFORE, ANSWER_NO, question, false},
      {"E:", IDC_CLEAR_BEFORE, ANSWER_NO, held, false}};
  platform.MapDrive('R', DRIVE_KIND_RAMDISK, temp.path + "\\R");
  AddSong("a", 10, "a");
  Add("C:\\lib");
  // E: held by another thread: a Windows mutex belongs to the thread that
  // took it, a POSIX lock to the open file, as in another program.
  FolderIdentity volume;
  ASSERT_TRUE(platform.VolumeIdentity("E:", volume));
  std::promise<bool> taken;
  std::promise<void> released;
  std::thread other([&] {
    auto lock = NativePlatform().LockPlayer(volume);
    taken.set_value(lock != nullptr);
    released.get_future().wait();
  });
  EXPECT_TRUE(taken.get_future().get());
  for (const auto& [player, button, answer, message, ran] : rows) {
    SCOPED_TRACE(testing::Message() << player << button << answer);
    const std::string old = std::string(1, player[0]) + "\\vecchio.mp3";
    temp.Write(old, "old");
    fs::remove_all(temp.Native("C\\lavoro"));
    fs::create_directory(temp.Native("C\\lavoro"));
    shell.ended = false;
    shell.answers = {answer};
    dlg.SetText(IDC_PLAYER_PATH, player);
    dlg.UserClick(button);
    dlg.UserClick(IDC_SHUFFLE_COPY);
    EXPECT_EQ(Messages(), Format(message.c_str(), player));
    EXPECT_EQ(shell.ended, ran);
    EXPECT_EQ(Files("C\\lavoro").empty(), !ran);
    EXPECT_EQ(fs::exists(temp.Native(old)), !ran || button == IDC_KEEP_EXISTING);
    EXPECT_EQ(dlg.IsButtonEnabled(IDC_SHUFFLE_COPY), !ran);  // all disabled by a run
  }
  released.set_value();
  other.join();
}

// A run ends early when the user stops it (before a song, within one, or
// while clearing) or the player is gone (before clearing or a song); No
// lets it go on. The log says so in place of the songs not tried, the
// closing message tells why, and no part of a song stays on the player.
TEST_F(CopyTest, StopsAndVanishingPlayersEndTheRunAndSayWhy) {
  const std::string question = kWarning + std::string("Interrompere la copia?\nI brani già copiati restano "
                                                       "nel lettore.|36");
  const std::string stopped = question + "+" + kWarning + "Copiati %d brani su 3 richiesti: copia interrotta.|48";
  const std::string gone = kWarning + std::string("Il lettore E: non è più collegato.\nCopiati %d brani su 3 "
                                                  "richiesti.|48");
  const std::tuple<const char*, const char*, bool, int, int, Strings, std::string> rows[] = {
      // what, the text shown when Escape comes, clearing, answer, identities the player answers, log, messages
      {"before b, Yes", "Copio il 2° brano di 3", false, ANSWER_YES, -1, {"   1 a", "   - copia interrotta"}, stopped},
      {"within b, Yes", "Sto copiando C:\\lib\\b.mp3", false, ANSWER_YES, -1, {"   1 a", "   - copia interrotta"}, stopped},
      {"within b, No", "Sto copiando C:\\lib\\b.mp3", false, ANSWER_NO, -1, {"   1 a", "   2 b", "   3 c"}, question},
      {"while clearing, Yes", "Cancello i file musicali del lettore", true, ANSWER_YES, -1, {"   - copia interrotta"}, stopped},
      {"gone before b", "", false, 0, 2, {"   1 a", "   - lettore scollegato"}, gone},
      {"gone before clearing", "", true, 0, 1, {"   - lettore scollegato"}, gone},
  };
  AddSong("a", 1, "a");
  AddSong("b", 200000, std::string(200000, 'b').c_str());
  AddSong("c", 1, "c");
  for (const auto& [what, when, clear, answer, identities, lines, messages] : rows) {
    SCOPED_TRACE(what);
    fs::remove_all(temp.Native("E"));
    temp.Write("E\\c.mp3", "old");
    SetOrder(3, {"0", "1", "2"}, {});
    dlg.UserClick(clear ? IDC_CLEAR_BEFORE : IDC_KEEP_EXISTING);
    int asked = 0;
    shell.whileAlive = [&, when = std::string(when)] {
      return !when.empty() && (Text(IDC_STATUS_LINE) == when || Text(IDC_CATALOGUE_INFO) == when) && !asked++;
    };
    shell.answers = {answer};
    platform.vanishAfter = identities;
    EXPECT_EQ(CopyToPlayer(dlg), lines.size() == 3);
    EXPECT_EQ(CopyLines(), lines);
    EXPECT_EQ(Files(), lines.size() == 3 ? Strings({"a.mp3", "b.mp3", "c.mp3", "ci.mp3"})
                       : lines[0] == "   1 a" ? Strings({"a.mp3", "c.mp3"}) : Strings({"c.mp3"}));
    EXPECT_EQ(Messages(), Format(messages.c_str(), static_cast<int>(lines.size()) - 1));
    EXPECT_EQ(dlg.ProgressBar(IDC_PROGRESS), "");
  }
}
