// The file functions on the real file system, with nothing injected: what
// must stay of the user's files when a copy, a save or a read goes wrong.
#include "copy/copy.h"
#include "dialog_fixture.h"
#include "lists/lists.h"
#include "player/player.h"
#include "unusual_files.h"

class FileSafetyTest : public DialogTest {
 protected:
  ~FileSafetyTest() override { if (mounted_) Unmount(temp.Native("E")); }
  CopyResult Copy(const std::string& from) {
    unsigned long error = 0;
    return System().CopyNewFile(from, "E:\\copia.mp3", error, [](std::uint64_t, std::uint64_t) { return true; });
  }
  // The player a 1 MiB volume of its own.
  bool MountPlayer() { return mounted_ = MountSmallVolume(temp.Native("E")); }
  bool mounted_ = false;
};

// A link to an ancestor and one to the folder itself are not entered
// again; a folder elsewhere is walked once however many links lead to
// it, even ten folders each linking to the other nine, as in /proc,
// where a walk by paths would not end. An included folder inside
// another is still walked for each. Only regular files are read: a FIFO
// named as a song or a playlist would hang the program; a playlist over
// 16 MiB is refused.
TEST_F(FileSafetyTest, EachFolderIsWalkedOnceAndOnlyRegularFilesAreRead) {
  Strings expected{"a", "b", "c", "d", "d"};
  for (int i = 0; i < 10; ++i) {
    temp.Write(Format("C\\Rete\\%d\\x\\y\\z\\r%d.mp3", i, i), "");
    expected.push_back(Format("r%d", i));
  }
  for (std::string song : {"Musica\\a.mp3", "Musica\\Sub\\b.mp3", "Altrove\\c.mp3", "Musica\\Dentro\\d.mp3"}) temp.Write("C\\" + song, "");
  temp.Write("C\\liste\\enorme.lis", std::string((16 << 20) + 1, '*'));
  // One host command makes every link and FIFO, once the folders are there
  // (Wine tells the host's path only of those): Wine starts each command slowly.
  std::string links = "true";
  auto link = [&](const std::string& from, const std::string& to) {
    links += " && ln -s " + Host(temp.Native(to)) + " " + Host(temp.Native(from));
  };
  link("C\\Musica\\Sub\\su", "C\\Musica");
  link("C\\Musica\\Sub\\qui", "C\\Musica\\Sub");
  link("C\\Musica\\altrove", "C\\Altrove");
  link("C\\Musica\\ancora", "C\\Altrove");
  for (int i = 0; i < 10; ++i) link(Format("C\\Musica\\rete%d", i), Format("C\\Rete\\%d", i));
  for (int i = 0; i < 100; ++i) if (i / 10 != i % 10) link(Format("C\\Rete\\%d\\%d", i / 10, i % 10), Format("C\\Rete\\%d", i % 10));
  for (const char* fifo : {"C\\Musica\\tubo.mp3", "C\\Musica\\tubo.lis"}) links += " && mkfifo " + Host(temp.Native(fifo));
  if (!RunOnHost(links)) GTEST_SKIP() << "the system refuses a link or a FIFO";
  Add("C:\\Musica");
  Add("C:\\Musica\\Dentro");
  Strings songs = Entries(IDC_SONG_NAMES);
  std::sort(songs.begin(), songs.end());
  EXPECT_EQ(songs, expected);
  EXPECT_EQ(Copy("C:\\Musica\\tubo.mp3"), CopyResult::Failed);
  EXPECT_EQ(Files(), Strings());
  for (std::string list : {std::string("C:\\Musica\\tubo.lis"), List("enorme.lis")}) {
    Click(IDC_OPEN_PLAYLIST, list);
    EXPECT_EQ(Messages(), "ERRORE|Impossibile aprire il file\n    \"" + list + kInUse);
  }
  for (const char* folder : {"C\\Musica", "C\\Rete"}) RemoveSpecial(temp.Native(folder));
}

// A working folder that takes no file (not there, or a read-only
// volume) is said once, before the player is touched, and the program
// ends with 1.
TEST_F(FileSafetyTest, AWorkingFolderThatRefusesWritingEndsTheProgram) {
  temp.Write("E\\vecchio.mp3", "old");
  temp.Write("C\\lib\\a.mp3", "a");
  Add("C:\\lib");
  fs::create_directories(temp.Native("C\\sola"));
  bool readOnly = MountSmallVolume(temp.Native("C\\sola"), true);
  for (const char* folder : {"C:\\manca", readOnly ? "C:\\sola" : "C:\\manca"}) {
    SCOPED_TRACE(folder);
    platform.workingDirectory = folder;
    shell.quitCode = 0;
    dlg.UserClick(IDC_SHUFFLE_COPY);
    EXPECT_EQ(Messages(), Format("ERRORE|Impossibile scrivere nella cartella %s\ndove Mescola scrive "
                                 "\"Playlist.txt\" e \"ultima.lis\".|0", folder));
    EXPECT_EQ(shell.quitCode, 1);
    EXPECT_EQ(Files(), Strings({"vecchio.mp3"}));
    EXPECT_EQ(temp.Read("E\\vecchio.mp3"), "old");
    UpdateButtonStates(dlg);
  }
  if (readOnly) Unmount(temp.Native("C\\sola"));
}

#ifndef _WIN32
// The player unmounted (lazily, as a pulled stick) in the middle of a
// song: that song ends on the vanished volume, and nothing is written
// to the folder left behind.
TEST_F(FileSafetyTest, APlayerPulledOutEndsTheRun) {
  if (!MountPlayer()) GTEST_SKIP() << "mounting a small volume needs root";
  for (const char* song : {"a", "b", "c"}) AddSong(song, 200000, std::string(200000, *song).c_str());
  SetOrder(3, {"0", "1", "2"}, {});
  shell.whileAlive = [&] {
    if (mounted_ && Text(IDC_STATUS_LINE) == "Sto copiando C:\\lib\\b.mp3") {
      Unmount(temp.Native("E"));
      mounted_ = false;
    }
    return false;
  };
  EXPECT_EQ(CopyToPlayer(dlg), 0);
  EXPECT_EQ(CopyLines(), Strings({"   1 a", "   2 b", "   - lettore scollegato"}));
  EXPECT_EQ(Files(), Strings());
  EXPECT_EQ(Messages(), kWarning + std::string("Il lettore E: non è più collegato.\nCopiati 2 brani su 3 richiesti.|48"));
}
#endif
