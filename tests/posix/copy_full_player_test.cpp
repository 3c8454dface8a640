// A real player that fills up: a 4 MB tmpfs mounted for the test. Mounting
// needs root (or CAP_SYS_ADMIN); without it the test is skipped.
#include <sys/mount.h>

#include <cerrno>
#include <cstring>

#include "copy/copy.h"
#include "dialog_fixture.h"
#include "player/player.h"

namespace {

class FullPlayerTest : public DialogTest {
 protected:
  void SetUp() override {
    StartComputer();
    std::string dir = temp.Native("E").string();
    if (mount("tmpfs", dir.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4m") != 0) {
      GTEST_SKIP() << "cannot mount a 4 MB tmpfs on " << dir << " (" << std::strerror(errno)
                   << "): run as root to test a player that fills up";
    }
    mounted_ = dir;
  }
  void TearDown() override {
    if (!mounted_.empty()) umount(mounted_.c_str());
  }

 private:
  std::string mounted_;
};

// a and b fill 3 MB of 4; c does not fit the 1 MB left; d was catalogued
// small but has grown to 2 MB, so its copy runs out of space half-way and
// leaves nothing; e still fits once d's partial file is gone.
TEST_F(FullPlayerTest, RunSkipsWhatDoesNotFitAndGoesOn) {
  // The volume's bytes free to the user, and its block as the cluster.
  MeasurePlayer(dlg);
  EXPECT_EQ(Texts({IDC_FREE_BYTES, IDC_CLUSTER_BYTES}), Strings({"4194304", "4096"}));
  AddSong("a.mp3", 1536 * 1024);
  AddSong("b.mp3", 1536 * 1024);
  AddSong("c.mp3", 1536 * 1024);
  AddSong("d.mp3", 2048 * 1024, 1000);
  AddSong("e.mp3", 512 * 1024);
  SetOrder(5, {"0", "1", "2", "3", "4"}, {});
  dlg.UserClick(IDC_KEEP_EXISTING);

  EXPECT_EQ(CopyToPlayer(dlg), 0);

  EXPECT_EQ(CopyLines(), Strings({"   1 a", "   2 b", "   - c (non copiato: spazio insufficiente)",
                                  Format("   - d (non copiato: errore %d)", ENOSPC), "   3 e"}));
  EXPECT_EQ(LogLines().back(), Format("Scritti in totale %d KBytes", 1536 + 1536 + 512));
  EXPECT_EQ(Files(), Strings({"a.mp3", "b.mp3", "e.mp3"}));
  for (const char* file : {"a.mp3", "b.mp3", "e.mp3"}) {
    EXPECT_TRUE(SameBytes(std::string("E\\") + file, std::string("C\\lib\\") + file)) << file;
  }
  ExpectMessage("Copiati 3 brani su 5 richiesti.\nI brani non copiati sono elencati in \"Playlist.txt\".",
                "A T T E N Z I O N E !", MESSAGE_OK | MESSAGE_ICON_EXCLAMATION);
}

// 20,000 catalogued songs of 1 MB and 9999 asked for: three fit, and the
// run ends at once with one line instead of trying every other position.
TEST_F(FullPlayerTest, AFullPlayerEndsTheRun) {
  MeasurePlayer(dlg);
  AddSong("a.mp3", 1 << 20);
  Strings order{"0"};
  for (int k = 1; k < 20000; ++k) {
    Catalogue("C:\\lib", "a", "mp3", 1 << 20);
    order.push_back(std::to_string(k));
  }
  SetOrder(9999, order, {});
  dlg.UserClick(IDC_KEEP_EXISTING);

  EXPECT_EQ(CopyToPlayer(dlg), 0);

  EXPECT_EQ(CopyLines(), Strings({"   1 a", "   2 a", "   3 a", "   - lettore pieno"}));
  EXPECT_EQ(LogLines().back(), "Scritti in totale 3072 KBytes");
  EXPECT_EQ(Files(), Strings({"a.mp3", "ai.mp3", "aii.mp3"}));
  ExpectMessage("Copiati 3 brani su 9999 richiesti.\nI brani non copiati sono elencati in \"Playlist.txt\".",
                "A T T E N Z I O N E !", MESSAGE_OK | MESSAGE_ICON_EXCLAMATION);
}

}  // namespace
