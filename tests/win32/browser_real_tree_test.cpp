// The drive tree on the real tree view of the real dialog, run by the
// program's own dialog procedure: the test selects nodes as a click would
// (TVM_SELECTITEM), so the control itself sends the notifications, and it
// reads back what the control holds. Drive letters are mapped onto
// temporary folders.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "ui/win32/main_window.h"
#include "ui/win32/win32_store.h"

namespace {

using Strings = std::vector<std::string>;

const char* const kRootC = "C:\\ DISCO FISSO";
const char* const kRootD = "D:\\ LETTORE CD/ROM";
const char* const kRootE = "E:\\ DISCO RIMUOVIBILE";

// What the tree view holds for one node.
struct Node {
  HTREEITEM item;
  std::string text;
  int image;
  int selectedImage;
  LPARAM data;
  int children;
};

class RealTree : public ::testing::Test {
 protected:
  RealTree() : scope_(platform) {
    temp.MakeFolder("C");
    platform.MapDrive('C', DRIVE_KIND_FIXED, temp.path() + "\\C");
    // A CD-ROM drive without a disc: its folder does not exist.
    platform.MapDrive('D', DRIVE_KIND_CDROM, temp.path() + "\\D");
    temp.MakeFolder("E");
    platform.MapDrive('E', DRIVE_KIND_REMOVABLE, temp.path() + "\\E");
    platform.SetFreeSpace('E', 524288000, 4096);
  }
  ~RealTree() override {
    if (dialog) DestroyWindow(dialog);
  }

  // Creates the dialog, after the test has set up its drives and folders.
  void Start() {
    dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                MainDialogProc, reinterpret_cast<LPARAM>(&shell));
    ASSERT_NE(dialog, nullptr);
    tree = GetDlgItem(dialog, IDC_FOLDER_TREE);
    view = std::make_unique<Win32Store>(dialog);
  }

  Node Read(HTREEITEM item) {
    char text[PATH_BUFFER] = {};
    TVITEMA record{};
    record.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    record.hItem = item;
    record.pszText = text;
    record.cchTextMax = sizeof text;
    EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record)));
    return {item, record.pszText, record.iImage, record.iSelectedImage, record.lParam,
            record.cChildren};
  }

  // The nodes beneath parent (the roots for null), in the tree's order.
  std::vector<Node> Children(HTREEITEM parent) {
    std::vector<Node> nodes;
    auto next = [&](UINT relation, HTREEITEM from) {
      return reinterpret_cast<HTREEITEM>(
          SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
    };
    HTREEITEM item = parent ? next(TVGN_CHILD, parent) : next(TVGN_ROOT, nullptr);
    for (; item; item = next(TVGN_NEXT, item)) nodes.push_back(Read(item));
    return nodes;
  }

  Strings Texts(std::initializer_list<std::string> path) {
    Strings texts;
    for (const Node& node : Children(At(path))) texts.push_back(node.text);
    return texts;
  }

  // The node reached through these texts from the roots; null when one is
  // missing, and the roots' parent for no texts.
  HTREEITEM At(std::initializer_list<std::string> path) {
    HTREEITEM item = nullptr;
    for (const std::string& text : path) {
      HTREEITEM found = nullptr;
      for (const Node& node : Children(item)) {
        if (node.text == text) found = node.item;
      }
      if (!found) return nullptr;
      item = found;
    }
    return item;
  }

  // What a click on the node does.
  void Select(std::initializer_list<std::string> path) {
    HTREEITEM item = At(path);
    ASSERT_NE(item, nullptr) << "no such node";
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }

  Strings SelectedFolder() {
    Strings entries(static_cast<std::size_t>(view->CountEntries(IDC_SELECTED_FOLDER)));
    for (std::size_t i = 0; i < entries.size(); ++i) {
      view->ReadEntry(IDC_SELECTED_FOLDER, static_cast<int>(i), entries[i]);
    }
    return entries;
  }

  FakePlatform platform;
  FakeShell shell;

 private:
  PlatformScope scope_;

 protected:
  TempFolder temp;
  HWND dialog = nullptr;
  HWND tree = nullptr;
  std::unique_ptr<Win32Store> view;  // a second view of the same controls
};

TEST_F(RealTree, RootsOfTheThreeKindsInLetterOrderWithTheirImages) {
  // Floppies, network drives and RAM disks never show.
  platform.MapDrive('A', DRIVE_KIND_REMOVABLE);
  platform.MapDrive('F', DRIVE_KIND_REMOTE);
  platform.MapDrive('G', DRIVE_KIND_RAMDISK);
  temp.MakeFolder("C\\Musica");
  Start();

  struct { const char* text; int image; } expected[] = {{kRootC, 3}, {kRootD, 5}, {kRootE, 4}};
  std::vector<Node> roots = Children(nullptr);
  ASSERT_EQ(roots.size(), std::size(expected));
  for (std::size_t i = 0; i < roots.size(); ++i) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(roots[i].text, expected[i].text);
    EXPECT_EQ(roots[i].image, expected[i].image);
    EXPECT_EQ(roots[i].selectedImage, expected[i].image);
    EXPECT_EQ(roots[i].data, reinterpret_cast<LPARAM>(roots[i].item));
    // No expand button before a root has been selected.
    EXPECT_EQ(roots[i].children, 0);
  }
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  EXPECT_EQ(ImageList_GetImageCount(images), 7);
  EXPECT_TRUE(SelectedFolder().empty());
  EXPECT_FALSE(view->IsButtonEnabled(IDC_ADD_INCLUDED));
  EXPECT_FALSE(view->IsButtonEnabled(IDC_ADD_EXCLUDED));
}

TEST_F(RealTree, OnlyVisibleFoldersBecomeNodesSortedOnce) {
  for (const char* folder : {"Zucchero", "Vol.1", "musica\\Rock", "Audiolibri", "x.mp3", "Nascosta\\Dentro"}) {
    temp.MakeFolder(std::string("C\\") + folder);
  }
  std::string hidden = temp.Native("C\\Nascosta").string();
  ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  for (const char* file : {"canzone.mp3", "Archivio"}) temp.MakeFile(std::string("C\\") + file);
  Start();

  Select({kRootC});
  // Files never, hidden folders never, dotted names as any other folder.
  Strings visible{"Audiolibri", "musica", "Vol.1", "x.mp3", "Zucchero"};
  EXPECT_EQ(Texts({kRootC}), visible);
  for (const Node& node : Children(At({kRootC}))) {
    SCOPED_TRACE(node.text);
    EXPECT_EQ(node.image, 0);
    EXPECT_EQ(node.selectedImage, 1);
    EXPECT_EQ(node.data, reinterpret_cast<LPARAM>(node.item));
  }
  EXPECT_EQ(Read(At({kRootC})).children, 1);

  // The path is built up through the real tree's parents, replacing the last one.
  Select({kRootC, "musica"});
  Select({kRootC, "musica", "Rock"});
  EXPECT_EQ(SelectedFolder(), Strings({"C:\\musica\\Rock"}));
  EXPECT_TRUE(view->IsButtonEnabled(IDC_ADD_INCLUDED));
  EXPECT_TRUE(view->IsButtonEnabled(IDC_ADD_EXCLUDED));

  // Selected again after another node, a filled node is not listed again:
  // no duplicates, and a folder made meanwhile does not show.
  temp.MakeFolder("C\\Nuova");
  Select({kRootC, "Vol.1"});
  Select({kRootC});
  EXPECT_EQ(Texts({kRootC}), visible);
  EXPECT_EQ(SelectedFolder(), Strings({"C:"}));
}

TEST_F(RealTree, OnlyARemovableRootCanBeChosenAsThePlayer) {
  temp.MakeFolder("E\\Album");
  temp.MakeFolder("C\\Musica");
  for (const char* song : {"a.mp3", "b.wma", "c.wav"}) temp.MakeFile(std::string("E\\") + song, 4194304);
  // A second removable drive: detection finds no single player.
  platform.MapDrive('F', DRIVE_KIND_REMOVABLE);
  Start();
  ASSERT_EQ(view->ReadText(IDC_PLAYER_PATH, 16), "TROPPI");

  struct { std::initializer_list<std::string> node; bool enabled; } steps[] = {
      {{kRootE}, true},
      {{kRootC}, false},
      {{kRootD}, false},
      {{kRootE, "Album"}, false},
      {{kRootC, "Musica"}, false},
      {{kRootE}, true},
  };
  for (auto& step : steps) {
    SCOPED_TRACE(*(step.node.end() - 1));
    Select(step.node);
    EXPECT_EQ(view->IsButtonEnabled(IDC_CHOOSE_PLAYER), step.enabled);
  }

  SendDlgItemMessageA(dialog, IDC_CHOOSE_PLAYER, BM_CLICK, 0, 0);
  EXPECT_EQ(view->ReadText(IDC_PLAYER_PATH, 16), "E:");
  EXPECT_EQ(view->ReadText(IDC_FREE_BYTES, 64), "524288000");
  EXPECT_EQ(view->ReadText(IDC_CLUSTER_BYTES, 64), "4096");
  EXPECT_EQ(view->ReadText(IDC_RECOVERABLE_BYTES, 64), "12582912");
  EXPECT_EQ(view->ReadText(IDC_STATUS_LINE, 128),
            "Nel lettore: 500 MBytes liberi, 12 MBytes recuperabili, 512 MBytes disponibili");
}

}  // namespace
