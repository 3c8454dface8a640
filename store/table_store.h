// The state store as a table of controls keyed by id, with the semantics of
// the Win32 dialog: the store of the tests and of a window without the
// Win32 dialog manager. The User... operations act as a person would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls.h"
#include "entry_list.h"
#include "events.h"
#include "state_store.h"

class TableStore : public StateStore {
 public:
  // shell answers the window's calls; events, when given, receive the
  // controls' commands and notifications as the program's entry points.
  explicit TableStore(Shell& shell, const DialogEvents* events = nullptr);

  int AddEntry(int id, const std::string& text) override;
  int InsertEntry(int id, int index, const std::string& text) override;
  int DeleteEntry(int id, int index) override;
  void ClearList(int id) override;
  int SelectedEntry(int id) override;
  int ReadEntry(int id, int index, std::string& text) override;
  int CountEntries(int id) override;
  int FindExact(int id, const std::string& text) override;
  int AppendEntries(int id, std::string_view texts) override;
  void PrepareList(int id, int entries, std::size_t textBytes) override;
  int ReadEntries(int id, int first, int count, std::string& texts) override;
  void SetText(int id, const std::string& text) override;
  std::string ReadText(int id, int limit) override;
  void LimitTyping(int id, int characters) override;
  void EnableButton(int id, bool enabled) override;
  bool IsButtonEnabled(int id) override;
  void CheckButton(int id) override;
  bool IsButtonChecked(int id) override;
  void Repaint(int id) override;
  TreeNode InsertNode(TreeNode parent, const std::string& text, int image, int selectedImage,
                      bool sorted) override;
  void SetNodeData(TreeNode node, TreeNode data) override;
  TreeNode NodeData(TreeNode node) override;
  std::string NodeText(TreeNode node, int limit) override;
  TreeNode NodeParent(TreeNode node) override;
  int NodeChildCount(TreeNode node) override;
  void SetUpTreeImages() override {}
  Shell& Window() override { return shell_; }

  // Sends the dialog's first message.
  void Initialise();
  // Typing at the end of an edit field, key by key: a key the field refuses
  // (a non-digit in IDC_MAX_SONGS, one past the typing limit) is dropped.
  void UserType(int id, const std::string& keys);
  // Selects the whole text of an edit field and deletes it.
  void UserErase(int id);
  // A click on a button; a disabled button does nothing.
  void UserClick(int id);
  // A click on an entry of a list box.
  void UserSelectEntry(int id, int index);
  // A click on a node of the tree; the node already selected sends nothing.
  void UserSelectNode(TreeNode node);
  // The close box, and the Escape key.
  void UserClose();
  void UserEscape();

  // What a person sees of the tree.
  std::vector<TreeNode> NodeChildren(TreeNode node) const;
  int NodeImage(TreeNode node) const;
  int NodeSelectedImage(TreeNode node) const;

 private:
  struct Control {
    const ControlInfo* info = nullptr;
    EntryList entries;
    int selected = NO_ENTRY;
    std::string text;
    int typingLimit = 30000;
    bool enabled = true;
    bool checked = false;
  };
  struct Node {
    std::string text;
    int image = 0;
    int selectedImage = 0;
    TreeNode data = 0;
    TreeNode parent = 0;
    std::vector<TreeNode> children;
  };

  Control* Find(int id);
  Control* FindList(int id);
  Node* FindNode(TreeNode node);
  void Command(int id, int code);

  Shell& shell_;
  const DialogEvents* events_;
  // Control k of the table at controls_[k], found through slots_[id]: the
  // scan and the redraw of the orders reach a list for every entry, so a
  // lookup must cost no search.
  static constexpr int NO_CONTROL = -1;
  std::vector<Control> controls_;
  std::vector<int> slots_;
  std::vector<Node> nodes_;  // node handle k is nodes_[k - 1]
  std::vector<TreeNode> roots_;
  TreeNode selectedNode_ = 0;
};
