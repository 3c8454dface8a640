#include "browser/browser.h"
#include "browser_view.h"
#include "dialog_fixture.h"

namespace {

using Strings = std::vector<std::string>;

const char* const kRootC = "C:\\ DISCO FISSO";
const char* const kRootD = "D:\\ LETTORE CD/ROM";

class FolderTree : public DialogTest {
 protected:
  void SetUp() override {
    temp.MakeFolder("C");
    platform.MapDrive('C', DRIVE_KIND_FIXED, temp.path() + "\\C");
    // D: is a CD-ROM drive without a disc: its folder does not exist yet.
    platform.MapDrive('D', DRIVE_KIND_CDROM, temp.path() + "\\D");
  }

  void Select(std::initializer_list<std::string> texts) {
    TreeNode node = NodeAt(dlg, texts);
    ASSERT_NE(node, 0u) << "no such node";
    dlg.UserSelectNode(node);
  }
  Strings Children(std::initializer_list<std::string> texts) {
    return NodeTexts(dlg, NodeAt(dlg, texts));
  }
};

TEST_F(FolderTree, SelectionsGiveTheFullPathAndEnableTheAddButtons) {
  temp.MakeFolder("C\\Musica\\Rock\\Anni 70");
  Start();
  struct { std::initializer_list<std::string> node; const char* path; } steps[] = {
      {{kRootC}, "C:"},
      {{kRootC, "Musica"}, "C:\\Musica"},
      {{kRootC, "Musica", "Rock"}, "C:\\Musica\\Rock"},
      {{kRootC, "Musica", "Rock", "Anni 70"}, "C:\\Musica\\Rock\\Anni 70"},
      {{kRootC, "Musica"}, "C:\\Musica"},
      {{kRootD}, "D:"},
  };
  for (auto& step : steps) {
    SCOPED_TRACE(step.path);
    Select(step.node);
    // One entry, replacing the previous selection.
    EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings({step.path}));
    EXPECT_TRUE(dlg.IsButtonEnabled(IDC_ADD_INCLUDED));
    EXPECT_TRUE(dlg.IsButtonEnabled(IDC_ADD_EXCLUDED));
  }
}

TEST_F(FolderTree, OnlyVisibleFoldersBecomeNodesSorted) {
  for (const char* folder : {"Zucchero", "Vol.1", "musica", "Audiolibri", "x.mp3", ".nascosta\\Dentro"}) {
    temp.MakeFolder(std::string("C\\") + folder);
  }
  for (const char* file : {"canzone.mp3", "Archivio", ".profilo"}) temp.MakeFile(std::string("C\\") + file);
  Start();
  Select({kRootC});
  // Files never, hidden folders never, dotted names as any other folder;
  // siblings sorted ignoring case.
  EXPECT_EQ(Children({kRootC}), Strings({"Audiolibri", "musica", "Vol.1", "x.mp3", "Zucchero"}));
  for (TreeNode node : dlg.NodeChildren(NodeAt(dlg, {kRootC}))) {
    EXPECT_EQ(dlg.NodeImage(node), 0);
    EXPECT_EQ(dlg.NodeSelectedImage(node), 1);
    EXPECT_EQ(dlg.NodeData(node), node);
  }
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FolderTree, AFilledNodeIsNeverListedAgain) {
  temp.MakeFolder("C\\Musica\\Rock");
  temp.MakeFolder("C\\Video");
  Start();
  Select({kRootC});
  Select({kRootC, "Musica"});
  Select({kRootC, "Musica", "Rock"});
  temp.MakeFolder("C\\Nuova");
  Select({kRootC});
  Select({kRootC, "Musica"});
  EXPECT_EQ(Children({kRootC}), Strings({"Musica", "Video"}));
  EXPECT_EQ(Children({kRootC, "Musica"}), Strings({"Rock"}));
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings({"C:\\Musica"}));
}

TEST_F(FolderTree, AnEmptyDriveIsListedAgainOnceItHasADisc) {
  Start();
  Select({kRootD});
  EXPECT_EQ(Children({kRootD}), Strings());
  EXPECT_TRUE(platform.messages.empty());

  temp.MakeFolder("D\\Film");
  Select({kRootC});
  Select({kRootD});
  EXPECT_EQ(Children({kRootD}), Strings({"Film"}));
}

// A path holds at most 259 characters: a folder whose path would be longer
// is left out, and a folder whose search pattern (path\*.*) would not fit
// is not listed.
TEST_F(FolderTree, PathsLongerThanTheBufferAreLeftOut) {
#ifdef _WIN32
  GTEST_SKIP() << "The temporary folder's own path makes these paths too long for the ANSI file functions";
#endif
  std::string deep(200, 'p');  // C:\ppp... is 203 characters
  std::string fits(50, 'f');   // 254: listed
  std::string edge(55, 'e');   // 259: shown, but its pattern is too long
  std::string over(56, 'o');   // 260: left out
  for (const std::string& name : {fits, edge, over}) temp.MakeFolder("C\\" + deep + "\\" + name + "\\x");
  Start();
  Select({kRootC});
  Select({kRootC, deep});
  EXPECT_EQ(Children({kRootC, deep}), Strings({edge, fits}));
  Select({kRootC, deep, fits});
  EXPECT_EQ(Children({kRootC, deep, fits}), Strings({"x"}));
  Select({kRootC, deep, edge});
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings({"C:\\" + deep + "\\" + edge}));
  EXPECT_EQ(Children({kRootC, deep, edge}), Strings());
  EXPECT_TRUE(platform.messages.empty());
}

// A tree that refuses nodes once it holds a number of them.
class FullTree : public TableStore {
 public:
  using TableStore::TableStore;
  int room = 1000;
  TreeNode InsertNode(TreeNode parent, const std::string& text, int image, int selectedImage,
                      bool sorted) override {
    if (room-- <= 0) return 0;
    return TableStore::InsertNode(parent, text, image, selectedImage, sorted);
  }
};

TEST_F(FolderTree, ARefusedNodeStopsTheListingWithAMessage) {
  for (const char* folder : {"Uno", "Due", "Tre", "Quattro"}) temp.MakeFolder(std::string("C\\") + folder);
  FullTree tree(MainDialogProc);
  tree.Initialise();
  tree.room = 2;
  tree.UserSelectNode(NodeAt(tree, {kRootC}));

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "C:\n2 elementi");
  EXPECT_EQ(platform.messages[0].caption, "ERRORE");
  EXPECT_EQ(platform.messages[0].style, MESSAGE_OK);
  // The nodes already added stay, each with its own handle.
  std::vector<TreeNode> added = tree.NodeChildren(NodeAt(tree, {kRootC}));
  ASSERT_EQ(added.size(), 2u);
  for (TreeNode node : added) EXPECT_EQ(tree.NodeData(node), node);
}

TEST_F(FolderTree, OtherNotificationsOnlyRunTheRules) {
  temp.MakeFolder("C\\Musica");
  Start();
  TreeNode root = NodeAt(dlg, {kRootC});
  for (Notification notification : {Notification{IDC_FOLDER_TREE, -401, root},
                                    Notification{IDC_INCLUDED_LIST, NOTIFY_TREE_SELCHANGED, root}}) {
    MainDialogProc(dlg, MSG_NOTIFY, static_cast<std::uintptr_t>(notification.from),
                   reinterpret_cast<std::intptr_t>(&notification));
  }
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings());
  EXPECT_EQ(dlg.NodeChildCount(root), 0);
}

}  // namespace
