// A real player that fills up: a 4 MB tmpfs mounted for the test. Mounting
// needs root (or CAP_SYS_ADMIN); without it the tests are skipped.
#include <sys/mount.h>

#include <cerrno>
#include <cstring>

#include "copy_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class FullPlayerTest : public CopyTest {
 protected:
  void SetUp() override {
    CopyTest::SetUp();
    std::string dir = temp.Native("player").string();
    if (mount("tmpfs", dir.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4m") != 0) {
      GTEST_SKIP() << "cannot mount a 4 MB tmpfs on " << dir << " (" << std::strerror(errno)
                   << "): run as root to test a player that fills up";
    }
    mounted_ = dir;
  }
  void TearDown() override {
    if (!mounted_.empty()) umount(mounted_.c_str());
  }

  double FreeBytes() {
    DiskSpace space;
    Os().GetFreeSpace("E:\\", space);
    return space.freeBytes;
  }

 private:
  std::string mounted_;
};

TEST_F(FullPlayerTest, FailedCopyLeavesNoPartialFile) {
  temp.WriteBytes("song.mp3", std::string(6 << 20, 's'));
  double before = FreeBytes();
  unsigned long error = 0;
  EXPECT_EQ(Os().CopyNewFile(temp.path() + "\\song.mp3", "E:\\song.mp3", error), CopyResult::Failed);
  EXPECT_EQ(error, static_cast<unsigned long>(ENOSPC));
  EXPECT_TRUE(PlayerFiles().empty());
  EXPECT_EQ(FreeBytes(), before);
}

// a and b fill 3 MB of 4; c does not fit the 1 MB left; d was catalogued
// small but has grown to 2 MB, so its copy runs out of space half-way; e
// still fits once d's partial file is gone.
TEST_F(FullPlayerTest, RunSkipsWhatDoesNotFitAndGoesOn) {
  AddSong("a.mp3", 1536 * 1024);
  AddSong("b.mp3", 1536 * 1024);
  AddSong("c.mp3", 1536 * 1024);
  AddSong("d.mp3", 2048 * 1024, 1000);
  AddSong("e.mp3", 512 * 1024);
  SetOrder(5, {"0", "1", "2", "3", "4"}, {});
  KeepExisting();

  EXPECT_EQ(CopyToPlayer(dlg), 0);

  EXPECT_EQ(CopyLines(), (Lines{"   1 a", "   2 b", "   - c (non copiato: spazio insufficiente)",
                                Format("   - d (non copiato: errore %d)", ENOSPC), "   3 e"}));
  EXPECT_EQ(LogLines().back(), Format("Scritti in totale %d KBytes", 1536 + 1536 + 512));
  EXPECT_EQ(PlayerFiles(), (Lines{"a.mp3", "b.mp3", "e.mp3"}));
  for (const char* file : {"a.mp3", "b.mp3", "e.mp3"}) {
    SCOPED_TRACE(file);
    EXPECT_TRUE(temp.ReadBytes(std::string("player\\") + file) ==
                temp.ReadBytes(std::string("lib\\") + file));
  }
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text,
            "Copiati 3 brani su 5 richiesti.\n"
            "I brani non copiati sono elencati in \"Playlist.txt\".");
}

}  // namespace
