// The state store as a table of controls keyed by id, with the semantics of
// the Win32 dialog: the store of the tests and of a window without the
// Win32 dialog manager. The User... operations act as a person would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls.h"
#include "events.h"
#include "list_store.h"

class TableStore : public ListStore {
 public:
  // shell answers the window's calls; events, when given, receive the
  // controls' commands and notifications as the program's entry points.
  explicit TableStore(Shell& shell, const DialogEvents* events = nullptr);

  void SetText(int id, const std::string& text) override;
  std::string ReadText(int id, int limit) override;
  void LimitTyping(int id, int characters) override;
  void EnableButton(int id, bool enabled) override;
  bool IsButtonEnabled(int id) override;
  void CheckButton(int id) override;
  bool IsButtonChecked(int id) override;
  void Repaint(int id) override;
  void ShowProgressBar(int id, int position, int range) override;
  void HideProgressBar(int id) override;
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
  // Typing at the end of an edit field, key by key, '\b' deleting the last
  // character (the typing limit does not stop it): a key the field refuses
  // (a non-digit in a digits-only field, one past the typing limit) is dropped.
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

  // What a person sees of a progress bar: "" hidden, "busy", or "position/range".
  std::string ProgressBar(int id);

 private:
  struct Control {
    const ControlInfo* info = nullptr;
    std::string text;
    int typingLimit = 30000;
    bool enabled = true;
    bool checked = false;
    int position = 0, range = -1;  // the progress bar; hidden for range -1
  };
  struct Node {
    std::string text;
    TreeNode data = 0;
    TreeNode parent = 0;
    std::vector<TreeNode> children;
  };

  Control* Find(int id);
  Node* FindNode(TreeNode node);
  void Command(int id, int code);

  Shell& shell_;
  const DialogEvents* events_;
  std::vector<Control> controls_;  // by the control's place in the table
  std::vector<Node> nodes_;  // node handle k is nodes_[k - 1]
  std::vector<TreeNode> roots_;
  TreeNode selectedNode_ = 0;
};
