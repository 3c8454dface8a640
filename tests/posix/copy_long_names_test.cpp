// Names at the file system's limit of 255 bytes, which a Windows folder
// cannot hold below a temporary folder.
#include <cerrno>

#include "copy_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class LongNamesTest : public CopyTest {};

TEST_F(LongNamesTest, ClearingLogsShowsAndDeletesTheLongestName) {
  std::string name = std::string(251, 'n') + ".mp3";
  temp.WriteBytes("player\\" + name, "data");

  CopyToPlayer(dlg);

  Lines lines = LogLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Cancello    1  " + name + " "), lines.end());
  EXPECT_TRUE(PlayerFiles().empty());
  bool shown = false;
  for (const WatchedStore::Event& event : dlg.events) {
    shown = shown || (event.id == IDC_STATUS_LINE && event.text == "Cancello: " + name);
  }
  EXPECT_TRUE(shown);
}

// The copy already on the player has the longest name; one more "i" is
// more than the file system takes, and the song is given up.
TEST_F(LongNamesTest, NameThatOutgrowsTheFileSystemIsGivenUp) {
  std::string name(251, 'n');
  temp.WriteBytes("player\\" + name + ".mp3", "old");
  AddSong(name + ".mp3", 10);
  SetOrder(1, {"0"}, {"0"});
  KeepExisting();

  EXPECT_EQ(CopyToPlayer(dlg), 0);

  EXPECT_EQ(CopyLines(), (Lines{Format("   - %s (non copiato: errore %d)", name.c_str(), ENAMETOOLONG)}));
  EXPECT_EQ(PlayerFiles(), (Lines{name + ".mp3"}));
  EXPECT_EQ(platform.messages.size(), 1u);
}

}  // namespace
