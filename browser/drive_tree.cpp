#include "browser.h"
#include "platform/platform.h"

namespace {

struct RootLabel {
  const char* text;
  int image;
};

// Drives of any other kind (network, RAM disk, unknown) get no node.
const RootLabel* LabelOf(DriveKind kind) {
  static const RootLabel fixed{" DISCO FISSO", 3};
  static const RootLabel removable{" DISCO RIMUOVIBILE", 4};
  static const RootLabel cdrom{" LETTORE CD/ROM", 5};
  switch (kind) {
    case DRIVE_KIND_FIXED: return &fixed;
    case DRIVE_KIND_REMOVABLE: return &removable;
    case DRIVE_KIND_CDROM: return &cdrom;
    default: return nullptr;
  }
}

}  // namespace

int SetUpDriveTree(StateStore& dlg) {
  dlg.SetUpTreeImages();
  FillDriveTree(dlg);
  return 0;
}

int FillDriveTree(StateStore& dlg) {
  for (const char* letter = DRIVE_LETTERS; *letter; ++letter) {
    std::string root{*letter, ':', '\\'};
    const RootLabel* label = LabelOf(System().GetDriveKind(root));
    if (!label) continue;
    // Roots keep their letter order: the tree does not sort them.
    TreeNode node = dlg.InsertNode(0, root + label->text, label->image, label->image, false);
    if (node) dlg.SetNodeData(node, node);
  }
  return 0;
}
