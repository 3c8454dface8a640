// The file functions on the real file system, with nothing injected: what
// must stay of the user's files when a copy, a save or a read goes wrong.
#include <functional>

#include "catalogue/catalogue.h"
#include "dialog_fixture.h"
#include "lists/lists.h"
#include "special_files.h"

namespace {

namespace fs = std::filesystem;

const char kOld[] = "*C:\\Vecchia\r\n";

class FileSafetyTest : public DialogTest {
 protected:
  void SetUp() override { StartComputer(); }
  void TearDown() override {
    if (mounted_) Unmount(temp.Native("E"));
  }
  // Each case starts from empty folders and lists.
  void Reset() {
    for (const char* folder : {"C\\lib", "C\\liste", "C\\lavoro", "E"}) {
      temp.MakeFolder(folder);
      for (const auto& entry : fs::directory_iterator(temp.Native(folder))) {
        std::error_code error;
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, error);
        fs::remove_all(entry.path());
      }
    }
    dlg.ClearList(IDC_INCLUDED_LIST);
  }
  bool MountSmallPlayer() { return mounted_ = MountSmallVolume(temp.Native("E")); }
  CopyResult Copy(const std::string& from, const std::string& to) {
    unsigned long error = 0;
    return System().CopyNewFile(from, to, error);
  }
  // Saves the lists (one included folder) to C:\liste\<name> as the current file.
  void Save(const std::string& name) {
    Include("C:\\Nuova");
    dlg.SetText(IDC_PLAYLIST_PATH, File(name));
    dlg.UserClick(IDC_SAVE);
  }
  void ExpectCannot(const char* what, const std::string& name) {
    ExpectMessage(Format("Impossibile %s il file\n    \"%s\"\nforse è utilizzato da un altro programma", what,
                         File(name).c_str()),
                  "ERRORE", MESSAGE_OK);
  }

 private:
  bool mounted_ = false;
};

TEST_F(FileSafetyTest, NothingOfTheUsersIsLost) {
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"source missing, destination present",
       [&] {
         temp.WriteBytes("E\\Vecchio.mp3", "old");
         EXPECT_EQ(Copy("C:\\lib\\Vecchio.mp3", "E:\\Vecchio.mp3"), CopyResult::Failed);
         EXPECT_EQ(temp.ReadBytes("E\\Vecchio.mp3"), "old");
       }},
      {"destination taken",
       [&] {
         temp.WriteBytes("C\\lib\\a.mp3", "new");
         temp.WriteBytes("E\\a.mp3", "old");
         EXPECT_EQ(Copy("C:\\lib\\a.mp3", "E:\\a.mp3"), CopyResult::Exists);
         EXPECT_EQ(temp.ReadBytes("E\\a.mp3"), "old");
       }},
      {"copy filling the volume",
       [&] {
         if (!MountSmallPlayer()) return (void)(std::cout << "skipped: cannot mount a small volume\n");
         temp.MakeFile("C\\lib\\grande.mp3", 2 << 20);
         EXPECT_EQ(Copy("C:\\lib\\grande.mp3", "E:\\grande.mp3"), CopyResult::Failed);
         EXPECT_EQ(Files(), Strings());
       }},
      {"temporary name taken",
       [&] {
         temp.WriteBytes("C\\liste\\x.li~", "altro");
         Save("x.lis");
         EXPECT_EQ(temp.ReadBytes("C\\liste\\x.lis"), "*C:\\Nuova\r\n");
         EXPECT_EQ(temp.ReadBytes("C\\liste\\x.li~"), "altro");
         EXPECT_EQ(Files("C\\liste"), Strings({"x.lis", "x.li~"}));
       }},
      {"read-only target",
       [&] {
         for (const char* file : {"C\\liste\\sola.lis", "C\\lavoro\\ultima.lis"}) {
           temp.WriteBytes(file, kOld);
           fs::permissions(temp.Native(file), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                          fs::perm_options::remove);
         }
         Save("sola.lis");
         ExpectCannot("scrivere", "sola.lis");
         EXPECT_EQ(WriteLastCopyRecord(dlg), -1);
         ExpectMessage("Impossibile aprire il file \"ultima.lis\"\nforse è utilizzato da un altro programma",
                       "ERRORE", MESSAGE_OK);
         EXPECT_EQ(temp.ReadBytes("C\\liste\\sola.lis") + temp.ReadBytes("C\\lavoro\\ultima.lis"),
                   std::string(kOld) + kOld);
         EXPECT_EQ(Files("C\\liste"), Strings({"sola.lis"}));
         EXPECT_EQ(Files("C\\lavoro"), Strings({"ultima.lis"}));
       }},
      {"FIFO as song and as playlist",
       [&] {
         temp.WriteBytes("C\\lib\\vero.mp3", "song");
         if (!MakeFifo(temp.Native("C\\lib\\tubo.mp3")) || !MakeFifo(temp.Native("C\\liste\\tubo.lis"))) {
           return (void)(std::cout << "skipped: cannot make a FIFO\n");
         }
         Include("C:\\lib");
         EXPECT_EQ(Entries(IDC_SONG_NAMES), Strings({"vero"}));
         EXPECT_EQ(Copy("C:\\lib\\tubo.mp3", "E:\\tubo.mp3"), CopyResult::Failed);
         EXPECT_EQ(Files(), Strings());
         Open("tubo.lis");
         ExpectCannot("aprire", "tubo.lis");
         for (const char* fifo : {"C\\lib\\tubo.mp3", "C\\liste\\tubo.lis"}) RemoveSpecial(temp.Native(fifo));
       }},
      {"playlist over 16 MiB",
       [&] {
         temp.MakeFile("C\\liste\\enorme.lis", (16 << 20) + 1);
         Open("enorme.lis");
         ExpectCannot("aprire", "enorme.lis");
       }},
  };
  for (const auto& [what, check] : cases) {
    SCOPED_TRACE(what);
    Reset();
    check();
    EXPECT_TRUE(shell.messages.empty());
  }
}

// A link to an ancestor and one to the folder itself are not entered again;
// one to a folder elsewhere is followed.
TEST_F(FileSafetyTest, WalksEndAndCountEachSongOnce) {
  for (const char* song : {"C\\Musica\\a.mp3", "C\\Musica\\Sub\\b.mp3", "C\\Altrove\\c.mp3"}) temp.MakeFile(song);
  if (!MakeFolderLink(temp.Native("C\\Musica\\Sub\\su"), temp.Native("C\\Musica")) ||
      !MakeFolderLink(temp.Native("C\\Musica\\Sub\\qui"), temp.Native("C\\Musica\\Sub")) ||
      !MakeFolderLink(temp.Native("C\\Musica\\altrove"), temp.Native("C\\Altrove"))) {
    GTEST_SKIP() << "cannot make links to folders";
  }
  Include("C:\\Musica");
  Strings songs = Entries(IDC_SONG_FOLDERS);
  std::sort(songs.begin(), songs.end());
  EXPECT_EQ(songs, Strings({"C:\\Musica", "C:\\Musica\\Sub", "C:\\Musica\\altrove"}));
  for (const char* link : {"C\\Musica\\Sub\\su", "C\\Musica\\Sub\\qui", "C\\Musica\\altrove"}) {
    RemoveSpecial(temp.Native(link));
  }
}

}  // namespace
