#include "table_store.h"

#include <algorithm>

#include "text.h"

namespace {

// After an entry went in at index (or none, NO_ENTRY): the selection stays
// on the entry it was on. Returns index.
int KeepSelection(int& selected, int index) {
  if (index != NO_ENTRY && selected >= index) ++selected;
  return index;
}

}  // namespace

TableStore::TableStore(Shell& shell, const DialogEvents* events)
    : shell_(shell), events_(events), controls_(kControlCount) {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    int id = kControls[i].id;
    if (static_cast<std::size_t>(id) >= slots_.size()) slots_.resize(id + 1, NO_CONTROL);
    slots_[id] = static_cast<int>(i);
    controls_[i].info = &kControls[i];
  }
}

TableStore::Control* TableStore::Find(int id) {
  if (id < 0 || static_cast<std::size_t>(id) >= slots_.size() || slots_[id] == NO_CONTROL) {
    return nullptr;
  }
  return &controls_[slots_[id]];
}

TableStore::Control* TableStore::FindList(int id) {
  Control* control = Find(id);
  if (!control) return nullptr;
  ControlKind kind = control->info->kind;
  return kind == ControlKind::List || kind == ControlKind::SortedList ? control : nullptr;
}

void TableStore::Command(int id, int code) {
  if (events_) events_->command(*this, id, code);
}

int TableStore::AddEntry(int id, const std::string& text) {
  Control* list = FindList(id);
  if (!list) return NO_ENTRY;
  bool sorted = list->info->kind == ControlKind::SortedList;
  return KeepSelection(list->selected, list->entries.Add(text, sorted));
}

int TableStore::InsertEntry(int id, int index, const std::string& text) {
  Control* list = FindList(id);
  return list ? KeepSelection(list->selected, list->entries.Insert(index, text)) : NO_ENTRY;
}

int TableStore::DeleteEntry(int id, int index) {
  Control* list = FindList(id);
  int remaining = list ? list->entries.Delete(index) : NO_ENTRY;
  if (remaining == NO_ENTRY) return NO_ENTRY;
  if (list->selected == index) {
    list->selected = NO_ENTRY;
  } else if (list->selected > index) {
    --list->selected;
  }
  return remaining;
}

void TableStore::ClearList(int id) {
  if (Control* list = FindList(id)) {
    list->entries.clear();
    list->selected = NO_ENTRY;
  }
}

int TableStore::SelectedEntry(int id) {
  Control* list = FindList(id);
  return list ? list->selected : NO_ENTRY;
}

int TableStore::ReadEntry(int id, int index, std::string& text) {
  Control* list = FindList(id);
  if (list) return list->entries.Read(index, text);
  text.clear();
  return NO_ENTRY;
}

int TableStore::CountEntries(int id) {
  Control* list = FindList(id);
  return list ? static_cast<int>(list->entries.size()) : 0;
}

int TableStore::FindExact(int id, const std::string& text) {
  Control* list = FindList(id);
  return list ? list->entries.Find(text) : NO_ENTRY;
}

int TableStore::AppendEntries(int id, std::string_view texts) {
  Control* list = FindList(id);
  return list ? list->entries.Append(texts) : NO_ENTRY;
}

int TableStore::ReadEntries(int id, int first, int count, std::string& texts) {
  Control* list = FindList(id);
  if (list) return list->entries.ReadRange(first, count, texts);
  texts.clear();
  return NO_ENTRY;
}

void TableStore::PrepareList(int id, int entries, std::size_t textBytes) {
  Control* list = FindList(id);
  if (list && entries > 0) list->entries.reserve(static_cast<std::size_t>(entries), textBytes);
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

TableStore::Node* TableStore::FindNode(TreeNode node) {
  if (node < 1 || node > nodes_.size()) return nullptr;
  return &nodes_[node - 1];
}

TreeNode TableStore::InsertNode(TreeNode parent, const std::string& text, int image,
                                int selectedImage, bool sorted) {
  Node* parentNode = FindNode(parent);
  if (parent != 0 && !parentNode) return 0;
  nodes_.push_back(Node{text, image, selectedImage, 0, parent, {}});
  TreeNode node = nodes_.size();
  std::vector<TreeNode>& siblings = parent ? FindNode(parent)->children : roots_;
  auto at = siblings.end();
  if (sorted) {
    at = std::upper_bound(siblings.begin(), siblings.end(), text,
                          [this](const std::string& a, TreeNode b) {
                            return CompareListText(a, nodes_[b - 1].text) < 0;
                          });
  }
  siblings.insert(at, node);
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

std::vector<TreeNode> TableStore::NodeChildren(TreeNode node) const {
  if (node == 0) return roots_;
  return node <= nodes_.size() ? nodes_[node - 1].children : std::vector<TreeNode>();
}

int TableStore::NodeImage(TreeNode node) const {
  return node >= 1 && node <= nodes_.size() ? nodes_[node - 1].image : -1;
}

int TableStore::NodeSelectedImage(TreeNode node) const {
  return node >= 1 && node <= nodes_.size() ? nodes_[node - 1].selectedImage : -1;
}

void TableStore::Initialise() {
  if (events_) events_->start(*this);
}

void TableStore::UserType(int id, const std::string& keys) {
  Control* control = Find(id);
  if (!control || control->info->kind != ControlKind::Edit || !control->enabled) return;
  for (char key : keys) {
    bool digitsOnly = id == IDC_MAX_SONGS;
    if (digitsOnly && (key < '0' || key > '9')) continue;
    if (static_cast<int>(control->text.size()) >= control->typingLimit) continue;
    control->text += key;
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
  Control* list = FindList(id);
  if (!list || index < 0 || index >= static_cast<int>(list->entries.size())) return;
  list->selected = index;
  // The selected folder (IDC_SELECTED_FOLDER) is the one list that does not notify.
  if (id != IDC_SELECTED_FOLDER) Command(id, NOTIFY_LIST_SELCHANGE);
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
