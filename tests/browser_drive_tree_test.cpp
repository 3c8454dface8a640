#include "browser_view.h"
#include "dialog_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class DriveTree : public DialogTest {};

TEST_F(DriveTree, RootsOfTheThreeKindsInLetterOrder) {
  // Set up out of letter order: the tree must not follow the order asked.
  platform.SetDriveKind('Z', DRIVE_KIND_FIXED);
  platform.SetDriveKind('E', DRIVE_KIND_REMOVABLE);
  platform.SetDriveKind('D', DRIVE_KIND_CDROM);
  platform.SetDriveKind('C', DRIVE_KIND_FIXED);
  // Floppies, network drives, RAM disks and unknown drives never show.
  platform.SetDriveKind('A', DRIVE_KIND_REMOVABLE);
  platform.SetDriveKind('B', DRIVE_KIND_REMOVABLE);
  platform.SetDriveKind('F', DRIVE_KIND_REMOTE);
  platform.SetDriveKind('G', DRIVE_KIND_RAMDISK);
  platform.SetDriveKind('H', DRIVE_KIND_UNKNOWN);
  Start();

  struct { const char* text; int image; } expected[] = {
      {"C:\\ DISCO FISSO", 3},
      {"D:\\ LETTORE CD/ROM", 5},
      {"E:\\ DISCO RIMUOVIBILE", 4},
      {"Z:\\ DISCO FISSO", 3},
  };
  std::vector<TreeNode> roots = dlg.NodeChildren(0);
  ASSERT_EQ(roots.size(), std::size(expected));
  for (std::size_t i = 0; i < roots.size(); ++i) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(dlg.NodeText(roots[i], PATH_BUFFER), expected[i].text);
    EXPECT_EQ(dlg.NodeImage(roots[i]), expected[i].image);
    EXPECT_EQ(dlg.NodeSelectedImage(roots[i]), expected[i].image);
    // Selecting a node finds it again through its item data.
    EXPECT_EQ(dlg.NodeData(roots[i]), roots[i]);
    EXPECT_EQ(dlg.NodeChildCount(roots[i]), 0);
  }
}

TEST_F(DriveTree, WithoutUsableDrivesTheTreeIsEmptyAndSilent) {
  platform.SetDriveKind('A', DRIVE_KIND_REMOVABLE);
  platform.SetDriveKind('F', DRIVE_KIND_REMOTE);
  Start();
  EXPECT_EQ(NodeTexts(dlg, 0), Strings());
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
