// The state store over the real main dialog: each operation is the Win32
// message that the control with that id understands.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "shell.h"
#include "store/state_store.h"

class Win32Store : public StateStore {
 public:
  // answers, when given, answers the message boxes and file dialogs in
  // place of the dialog's own; the dialog keeps itself alive either way.
  explicit Win32Store(HWND dialog, Shell* answers = nullptr) : dialog_(dialog), shell_(dialog, answers) {}

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
  void ShowProgressBar(int id, int position, int range) override;
  void HideProgressBar(int id) override;
  TreeNode InsertNode(TreeNode parent, const std::string& text, int image, int selectedImage,
                      bool sorted) override;
  void SetNodeData(TreeNode node, TreeNode data) override;
  TreeNode NodeData(TreeNode node) override;
  std::string NodeText(TreeNode node, int limit) override;
  TreeNode NodeParent(TreeNode node) override;
  int NodeChildCount(TreeNode node) override;
  void SetUpTreeImages() override;
  Win32Shell& Window() override { return shell_; }

 private:
  HWND Control(int id);
  LRESULT Send(int id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
  LRESULT SendTree(UINT message, WPARAM wparam, TVITEMW& item);

  HWND dialog_;
  Win32Shell shell_;
  // Control windows by id. Finding a control asks the window server for the
  // dialog's children, far too slow for lists of 200,000 songs; the
  // controls live as long as the dialog.
  std::map<int, HWND> controls_;
};

// Sets the image list's background to the window colour and appends the
// shell's seven small icons of the folder tree, in the order of their indexes.
int LoadTreeImages(HIMAGELIST images);
