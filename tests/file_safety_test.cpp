// The file functions on the real file system, with nothing injected: what
// must stay of the user's files when a copy, a save or a read goes wrong.
#include <functional>

#include "copy/copy.h"
#include "dialog_fixture.h"
#include "lists/lists.h"
#include "player/player.h"
#include "unusual_files.h"

const char kOld[] = "*C:\\Vecchia\r\n";

class FileSafetyTest : public DialogTest {
 protected:
  void TearDown() override {
    if (mounted_) Unmount(temp.Native("E"));
  }
  CopyResult Copy(const std::string& from, const std::string& to, bool goOn = true) {
    unsigned long error = 0;
    return System().CopyNewFile(from, to, error, [goOn](std::uint64_t, std::uint64_t) { return goOn; });
  }
  // Saves one included folder to C:\liste\<name>, the current file.
  void Save(const std::string& name) {
    Add("C:\\Nuova");
    dlg.SetText(IDC_PLAYLIST_PATH, List(name));
    dlg.UserClick(IDC_SAVE);
  }
  bool mounted_ = false;
};

// Each case leaves what the next may find; the small volume hides the player's files.
TEST_F(FileSafetyTest, NothingOfTheUsersIsLost) {
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"source missing or destination taken", [&] {
         temp.Write("C\\lib\\a.mp3", "new");
         temp.Write("E\\a.mp3", "old");
         EXPECT_EQ(Copy("C:\\lib\\manca.mp3", "E:\\a.mp3"), CopyResult::Failed);
         EXPECT_EQ(Copy("C:\\lib\\a.mp3", "E:\\a.mp3"), CopyResult::Exists);
         EXPECT_EQ(temp.Read("E\\a.mp3"), "old");
         EXPECT_EQ(Copy("C:\\lib\\a.mp3", "E:\\b.mp3", false), CopyResult::Stopped);  // abandoned: no part of it
         EXPECT_EQ(Files(), Strings({"a.mp3"}));
       }},
      {"temporary name taken", [&] {
         temp.Write("C\\liste\\x.li~", "altro");
         Save("x.lis");
         EXPECT_EQ(temp.Read("C\\liste\\x.lis") + temp.Read("C\\liste\\x.li~"), "*C:\\Nuova\r\naltro");
         EXPECT_EQ(Files("C\\liste"), Strings({"x.lis", "x.li~"}));
       }},
      {"read-only target", [&] {
         for (const char* file : {"C\\liste\\sola.lis", "C\\lavoro\\ultima.lis"}) {
           temp.Write(file, kOld);
           fs::permissions(temp.Native(file), fs::perms::owner_read);
         }
         Save("sola.lis");
         EXPECT_EQ(WriteLastCopyRecord(dlg), -1);
         EXPECT_EQ(Messages(), "ERRORE|Impossibile scrivere il file\n    \"" + List("sola.lis") + kInUse +
                                   "+ERRORE|Impossibile aprire il file \"ultima.lis" + kInUse);
         EXPECT_EQ(temp.Read("C\\liste\\sola.lis") + temp.Read("C\\lavoro\\ultima.lis"), std::string(kOld) + kOld);
         EXPECT_EQ(Files("C\\liste").size() + Files("C\\lavoro").size(), 4u);
         for (const char* file : {"C\\liste\\sola.lis", "C\\lavoro\\ultima.lis"}) {
           fs::permissions(temp.Native(file), fs::perms::all);  // for the clean-up
         }
       }},
      {"FIFO as song and as playlist", [&] {
         temp.Write("C\\tubi\\vero.mp3", "song");
         if (!MakeFifo(temp.Native("C\\tubi\\tubo.mp3")) || !MakeFifo(temp.Native("C\\liste\\tubo.lis"))) {
           GTEST_SKIP() << "the system refuses a FIFO";
         }
         Add("C:\\tubi");
         EXPECT_EQ(Entries(IDC_SONG_NAMES), Strings({"vero"}));
         EXPECT_EQ(Copy("C:\\tubi\\tubo.mp3", "E:\\tubo.mp3"), CopyResult::Failed);
         EXPECT_FALSE(fs::exists(temp.Native("E\\tubo.mp3")));
         Click(IDC_OPEN_PLAYLIST, List("tubo.lis"));
         EXPECT_EQ(Messages(), kCannotOpen + List("tubo.lis") + kInUse);
         for (const char* fifo : {"C\\tubi\\tubo.mp3", "C\\liste\\tubo.lis"}) RemoveSpecial(temp.Native(fifo));
       }},
      {"playlist over 16 MiB", [&] {
         temp.Write("C\\liste\\enorme.lis", std::string((16 << 20) + 1, '*'));
         Click(IDC_OPEN_PLAYLIST, List("enorme.lis"));
         EXPECT_EQ(Messages(), kCannotOpen + List("enorme.lis") + kInUse);
       }},
      // A link to an ancestor and one to the folder itself are not entered
      // again; a folder elsewhere is walked once however many links lead to
      // it, even ten folders each linking to the other nine, as in /proc,
      // where a walk by paths would not end. An included folder inside
      // another is still walked for each.
      {"links to folders", [&] {
         std::vector<std::pair<fs::path, fs::path>> links;
         auto link = [&](const std::string& from, const std::string& to) {
           links.emplace_back(temp.Native(from), temp.Native(to));
         };
         link("C\\Musica\\Sub\\su", "C\\Musica");
         link("C\\Musica\\Sub\\qui", "C\\Musica\\Sub");
         link("C\\Musica\\altrove", "C\\Altrove");
         link("C\\Musica\\ancora", "C\\Altrove");
         Strings expected{"a", "b", "c", "d", "d"};
         for (int i = 0; i < 10; ++i) {
           temp.Write(Format("C\\Rete\\%d\\x\\y\\z\\r%d.mp3", i, i), "");
           expected.push_back(Format("r%d", i));
           link(Format("C\\Musica\\rete%d", i), Format("C\\Rete\\%d", i));
           for (int j = 0; j < 10; ++j) {
             if (j != i) link(Format("C\\Rete\\%d\\%d", i, j), Format("C\\Rete\\%d", j));
           }
         }
         for (const char* song : {"C\\Musica\\a.mp3", "C\\Musica\\Sub\\b.mp3", "C\\Altrove\\c.mp3",
                                  "C\\Musica\\Dentro\\d.mp3"}) {
           temp.Write(song, "");
         }
         if (!MakeFolderLinks(links)) GTEST_SKIP() << "the system refuses a link";
         dlg.ClearList(IDC_INCLUDED_LIST);
         Add("C:\\Musica");
         Add("C:\\Musica\\Dentro");
         Strings songs = Entries(IDC_SONG_NAMES);
         std::sort(songs.begin(), songs.end());
         EXPECT_EQ(songs, expected);
         for (const char* folder : {"C\\Musica", "C\\Rete"}) RemoveSpecial(temp.Native(folder));
       }},
      // A copy that fills the volume leaves no part of itself. With a large
      // catalogue and more songs asked than fit, the run ends at the first
      // that does not, with one line, instead of trying every other.
      {"a small player", [&] {
         if (!(mounted_ = MountSmallVolume(temp.Native("E")))) GTEST_SKIP() << "mounting a small volume needs root";
         temp.Write("C\\lib\\grande.mp3", std::string(2 << 20, 'g'));
         EXPECT_EQ(Copy("C:\\lib\\grande.mp3", "E:\\grande.mp3"), CopyResult::Failed);
         EXPECT_EQ(Files(), Strings());
         MeasurePlayer(dlg);
         ClearCatalogue();
         Strings order;
         for (int k = 0; k < 20000; ++k) {
           AddSong("a", 300000, k ? nullptr : std::string(300000, 'a').c_str());
           order.push_back(std::to_string(k));
         }
         SetOrder(9999, order, {});
         dlg.UserClick(IDC_KEEP_EXISTING);
         EXPECT_EQ(CopyToPlayer(dlg), 0);
         EXPECT_EQ(CopyLines(), Strings({"   1 a", "   2 a", "   3 a", "   - lettore pieno"}));
         EXPECT_EQ(Files(), Strings({"a.mp3", "ai.mp3", "aii.mp3"}));
         EXPECT_EQ(Messages(), kWarning + std::string("Copiati 3 brani su 9999 richiesti: il lettore è pieno.|48"));
       }},
      // A working folder that takes no file (not there, or a read-only
      // volume) is said once, before the player is touched, and the program
      // ends with 1.
      {"working folder refuses writing", [&] {
         temp.Write("E\\vecchio.mp3", "old");
         Strings player = Files();
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
           EXPECT_EQ(Files(), player);
           EXPECT_EQ(temp.Read("E\\vecchio.mp3"), "old");
           UpdateButtonStates(dlg);
         }
         if (readOnly) Unmount(temp.Native("C\\sola"));
         platform.workingDirectory = "C:\\lavoro";
       }},
#ifndef _WIN32
      // The player unmounted (lazily, as a pulled stick) in the middle of a
      // song: that song ends on the vanished volume, and nothing is written
      // to the folder left behind.
      {"a player pulled out", [&] {
         Unmount(temp.Native("E"));
         fs::remove_all(temp.Native("E"));
         fs::create_directories(temp.Native("E"));
         if (!(mounted_ = MountSmallVolume(temp.Native("E")))) return (void)(std::cout << "skipped: cannot mount\n");
         ClearCatalogue();
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
         shell.whileAlive = nullptr;
         EXPECT_EQ(CopyLines(), Strings({"   1 a", "   2 b", "   - lettore scollegato"}));
         EXPECT_EQ(Files(), Strings());
         EXPECT_EQ(Messages(), kWarning + std::string("Il lettore E: non è più collegato.\nCopiati 2 brani su 3 "
                                                      "richiesti.|48"));
       }},
#endif
  };
  for (const auto& [what, check] : cases) {
    SCOPED_TRACE(what);
    check();
    EXPECT_EQ(Messages(), "");
  }
}
