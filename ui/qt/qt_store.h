// The state store over the Qt window: what the user sees is a real widget
// (the tree, the folder lists, the edit fields, the buttons, the status
// texts); the hidden lists and values stay in memory, never one widget per
// song. Texts are UTF-8 in the store and QString in the widgets.
#pragma once

#include <QObject>
#include <QPixmap>

#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "store/controls.h"
#include "store/events.h"
#include "store/list_store.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QTreeWidget;
class QWidget;
class TypingLimit;

class QtStore : public QObject, public ListStore {
 public:
  // widgets: the window's controls by id (IDC_...); those of the hidden
  // controls are missing. events receive the commands and notifications;
  // any of them may be null.
  QtStore(const std::map<int, QWidget*>& widgets, Shell& shell, const DialogEvents& events);

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
  Shell& Window() override { return shell_; }

 private:
  struct Control {
    const ControlInfo* info = nullptr;
    std::string text;   // statics and edit fields
    QWidget* widget = nullptr;
    QListWidget* list = nullptr;
    QLineEdit* edit = nullptr;
    QLabel* label = nullptr;
    QAbstractButton* button = nullptr;
    QProgressBar* bar = nullptr;
    TypingLimit* typing = nullptr;
  };

  void ShowInserted(int id, int index, const std::string& text) override;
  void ShowAppended(int id, int first) override;
  void ShowDeleted(int id, int index) override;
  void ShowCleared(int id) override;
  QListWidget* View(int id);
  Control* Find(int id);
  void Attach(Control& control, QWidget* widget);
  void Command(int id, int code);
  void TreeSelectionChanged();
  bool IsNode(TreeNode node) const { return nodes_.count(node) != 0; }

  Shell& shell_;
  const DialogEvents& events_;
  std::map<int, Control> controls_;
  QTreeWidget* tree_ = nullptr;
  std::unordered_set<TreeNode> nodes_;
  std::vector<QPixmap> images_;
};
