#include "table_store.h"

#include "text.h"

TableStore::TableStore(Shell& shell, const DialogEvents* events)
    : shell_(shell), events_(events), controls_(kControlCount) {
  for (std::size_t i = 0; i < kControlCount; ++i) controls_[i].info = &kControls[i];
}

TableStore::Control* TableStore::Find(int id) {
  int index = ControlIndex(id);
  return index < 0 ? nullptr : &controls_[static_cast<std::size_t>(index)];
}

void TableStore::Command(int id, int code) {
  if (events_) events_->command(*this, id, code);
}

void TableStore::SetText(int id, const std::string& text) {
  Control* control = Find(id);
  if (!control) return;
  control->text = text;
  if (control->info->kind == ControlKind::Edit) Command(id, NOTIFY_EDIT_CHANGE);
}

std::string TableStore::ReadText(int id, int limit) {
  Control* control = Find(id);
  if (!control || limit < 1) return std::string();
  return CutToWindowsLength(control->text, static_cast<std::size_t>(limit - 1));
}

void TableStore::LimitTyping(int id, int characters) {
  if (Control* control = Find(id)) control->typingLimit = characters;
}

void TableStore::EnableButton(int id, bool enabled) {
  if (Control* control = Find(id)) control->enabled = enabled;
}

bool TableStore::IsButtonEnabled(int id) {
  Control* control = Find(id);
  return control && control->enabled;
}

void TableStore::CheckButton(int id) {
  if (Control* control = Find(id)) control->checked = true;
}

bool TableStore::IsButtonChecked(int id) {
  Control* control = Find(id);
  return control && control->checked;
}

void TableStore::Repaint(int) {}

void TableStore::ShowProgressBar(int id, int position, int range) {
  Control* control = Find(id);
  if (!control || control->info->kind != ControlKind::Progress) return;
  control->position = range > 0 ? std::clamp(position, 0, range) : 0;
  control->range = std::max(range, 0);
}

void TableStore::HideProgressBar(int id) {
  Control* control = Find(id);
  if (control && control->info->kind == ControlKind::Progress) control->range = -1;
}

std::string TableStore::ProgressBar(int id) {
  Control* control = Find(id);
  if (!control || control->range < 0) return "";
  if (control->range == 0) return "busy";
  return std::to_string(control->position) + "/" + std::to_string(control->range);
}

TableStore::Node* TableStore::FindNode(TreeNode node) {
  if (node < 1 || node > nodes_.size()) return nullptr;
  return &nodes_[node - 1];
}

// The table keeps no images: nothing shows them.
TreeNode TableStore::InsertNode(TreeNode parent, const std::string& text, int, int, bool sorted) {
  Node* parentNode = FindNode(parent);
  if (parent != 0 && !parentNode) return 0;
  nodes_.push_back(Node{text, 0, parent, {}});
  TreeNode node = nodes_.size();
  std::vector<TreeNode>& siblings = parent ? FindNode(parent)->children : roots_;
  std::size_t at = siblings.size();
  if (sorted) {
    at = SortedPlace(at, text, [&](std::size_t i) -> const std::string& { return nodes_[siblings[i] - 1].text; });
  }
  siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(at), node);
  return node;
}

void TableStore::SetNodeData(TreeNode node, TreeNode data) {
  if (Node* found = FindNode(node)) found->data = data;
}

TreeNode TableStore::NodeData(TreeNode node) {
  Node* found = FindNode(node);
  return found ? found->data : 0;
}

std::string TableStore::NodeText(TreeNode node, int limit) {
  Node* found = FindNode(node);
  if (!found || limit < 1) return std::string();
  return CutToWindowsLength(found->text, static_cast<std::size_t>(limit - 1));
}

TreeNode TableStore::NodeParent(TreeNode node) {
  Node* found = FindNode(node);
  return found ? found->parent : 0;
}

// As the tree control answers for nodes inserted without a child count:
// 1 when the node has children, whatever their number.
int TableStore::NodeChildCount(TreeNode node) {
  Node* found = FindNode(node);
  return found && !found->children.empty() ? 1 : 0;
}

void TableStore::Initialise() {
  if (events_) events_->start(*this);
}

void TableStore::UserType(int id, const std::string& keys) {
  Control* control = Find(id);
  if (!control || control->info->kind != ControlKind::Edit || !control->enabled) return;
  bool digitsOnly = control->info->Has(TRAIT_DIGITS_ONLY);
  std::string& text = control->text;
  for (char key : keys) {
    if (key == '\b') {
      if (text.empty()) continue;
      text = CutToWindowsLength(text, WindowsLength(text) - 1);
    } else {
      if (digitsOnly && (key < '0' || key > '9')) continue;
      if (static_cast<int>(text.size()) >= control->typingLimit) continue;
      text += key;
    }
    Command(id, NOTIFY_EDIT_CHANGE);
  }
}

void TableStore::UserErase(int id) {
  Control* control = Find(id);
  if (!control || control->info->kind != ControlKind::Edit || control->text.empty()) return;
  control->text.clear();
  Command(id, NOTIFY_EDIT_CHANGE);
}

void TableStore::UserClick(int id) {
  Control* control = Find(id);
  if (!control || !control->enabled) return;
  ControlKind kind = control->info->kind;
  if (kind == ControlKind::RadioButton) {
    control->checked = true;
    Find(control->info->partner)->checked = false;
  }
  if (kind == ControlKind::RadioButton || kind == ControlKind::PushButton) {
    Command(id, NOTIFY_BUTTON_CLICKED);
  }
}

void TableStore::UserSelectEntry(int id, int index) {
  if (SelectByUser(id, index)) Command(id, NOTIFY_LIST_SELCHANGE);
}

void TableStore::UserSelectNode(TreeNode node) {
  Node* found = FindNode(node);
  if (!found || node == selectedNode_) return;
  selectedNode_ = node;
  if (events_) events_->treeSelection(*this, found->data);
}

void TableStore::UserClose() {
  if (events_) events_->close(*this);
}

void TableStore::UserEscape() {
  Command(ID_CANCEL, NOTIFY_BUTTON_CLICKED);
}
