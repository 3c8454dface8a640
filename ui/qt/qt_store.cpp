#include "qt_store.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

#include "platform/platform.h"
#include "store/text.h"
#include "typing_limit.h"

namespace {

constexpr int kDataRole = Qt::UserRole;         // the node's item data
constexpr int kTextRole = Qt::UserRole + 1;     // the node's text as the program wrote it

QString Shown(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Held(const QString& text) { return text.toUtf8().toStdString(); }

// At most limit - 1 characters, counted as Windows counts them.
std::string Cut(const std::string& text, int limit) {
  return limit < 1 ? std::string() : CutToWindowsLength(text, static_cast<std::size_t>(limit - 1));
}

QTreeWidgetItem* Item(TreeNode node) { return reinterpret_cast<QTreeWidgetItem*>(node); }

TreeNode Node(QTreeWidgetItem* item) { return reinterpret_cast<TreeNode>(item); }

std::string TextOf(const QTreeWidgetItem* item) {
  return item->data(0, kTextRole).toByteArray().toStdString();
}

// Where a drive root's letter is mounted ("E:\ ..." -> /media/utente/SANDISK),
// or nothing for any other node.
QString MountedAt(const std::string& text) {
  if (text.size() < 3 || text[1] != ':' || text[2] != '\\') return QString();
  return Shown(System().DriveFolder(text.substr(0, 2)));
}

}  // namespace

QtStore::QtStore(const std::map<int, QWidget*>& widgets, Shell& shell, const DialogEvents& events)
    : shell_(shell), events_(events) {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    Control& control = controls_[kControls[i].id];
    control.info = &kControls[i];
    auto found = widgets.find(kControls[i].id);
    if (found != widgets.end()) Attach(control, found->second);
  }
}

void QtStore::Attach(Control& control, QWidget* widget) {
  int id = control.info->id;
  control.widget = widget;
  switch (control.info->kind) {
    case ControlKind::List:
    case ControlKind::SortedList:
      control.list = qobject_cast<QListWidget*>(widget);
      if (control.list) {
        connect(control.list, &QListWidget::itemSelectionChanged, this, [this, id] {
          QList<QListWidgetItem*> selected = View(id)->selectedItems();
          if (!selected.isEmpty() && SelectByUser(id, View(id)->row(selected.front()))) {
            Command(id, NOTIFY_LIST_SELCHANGE);
          }
        });
      }
      break;
    case ControlKind::Edit:
      control.edit = qobject_cast<QLineEdit*>(widget);
      if (!control.edit) break;
      control.typing = new TypingLimit(*control.edit, control.info->Has(TRAIT_DIGITS_ONLY));
      control.edit->setValidator(control.typing);
      connect(control.edit, &QLineEdit::textChanged, this, [this, id](const QString& text) {
        Control& edit = controls_[id];
        if (Held(text) == edit.text) return;  // what SetText put there
        edit.text = Held(text);
        Command(id, NOTIFY_EDIT_CHANGE);
      });
      break;
    case ControlKind::Static:
      control.label = qobject_cast<QLabel*>(widget);
      break;
    case ControlKind::PushButton:
    case ControlKind::RadioButton:
      control.button = qobject_cast<QAbstractButton*>(widget);
      // A disabled button emits nothing.
      if (control.button) {
        connect(control.button, &QAbstractButton::clicked, this,
                [this, id] { Command(id, NOTIFY_BUTTON_CLICKED); });
      }
      break;
    case ControlKind::Tree:
      tree_ = qobject_cast<QTreeWidget*>(widget);
      if (tree_) connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { TreeSelectionChanged(); });
      break;
    case ControlKind::Progress:
      control.bar = qobject_cast<QProgressBar*>(widget);
      break;
  }
}

QtStore::Control* QtStore::Find(int id) {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

QListWidget* QtStore::View(int id) {
  Control* control = Find(id);
  return control ? control->list : nullptr;
}

void QtStore::Command(int id, int code) {
  if (events_.command) events_.command(*this, id, code);
}

void QtStore::TreeSelectionChanged() {
  QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (selected.isEmpty() || !events_.treeSelection) return;
  events_.treeSelection(*this, selected.front()->data(0, kDataRole).value<qulonglong>());
}

// The views show the lists' changes; the program's own changes are no
// notification.
void QtStore::ShowInserted(int id, int index, const std::string& text) {
  if (QListWidget* view = View(id)) {
    QSignalBlocker quiet(view);
    view->insertItem(index, Shown(text));
  }
}

void QtStore::ShowAppended(int id, int first) {
  QListWidget* view = View(id);
  if (!view) return;
  QStringList shown;
  std::string text;
  for (int i = first; ReadEntry(id, i, text) != NO_ENTRY; ++i) shown.append(Shown(text));
  QSignalBlocker quiet(view);
  view->addItems(shown);
}

void QtStore::ShowDeleted(int id, int index) {
  QListWidget* view = View(id);
  if (!view) return;
  QSignalBlocker quiet(view);
  delete view->takeItem(index);
  // The view would move the selection to a neighbour; the list box has none.
  if (SelectedEntry(id) == NO_ENTRY) view->clearSelection();
}

void QtStore::ShowCleared(int id) {
  if (QListWidget* view = View(id)) {
    QSignalBlocker quiet(view);
    view->clear();
  }
}

// An edit field tells the program of the new text before this returns, as
// typing does.
void QtStore::SetText(int id, const std::string& text) {
  Control* control = Find(id);
  if (!control) return;
  control->text = text;
  if (control->label) control->label->setText(Shown(text));
  if (control->edit) {
    // Text the program sets is never refused: without the typing limit the
    // field takes it as valid, so the next key is checked against it.
    control->edit->setValidator(nullptr);
    control->edit->setText(Shown(text));
    control->edit->setValidator(control->typing);
  }
  if (control->info->kind == ControlKind::Edit) Command(id, NOTIFY_EDIT_CHANGE);
}

std::string QtStore::ReadText(int id, int limit) {
  Control* control = Find(id);
  return control ? Cut(control->text, limit) : std::string();
}

void QtStore::LimitTyping(int id, int characters) {
  Control* control = Find(id);
  if (control && control->typing) control->typing->SetCharacters(characters);
}

void QtStore::EnableButton(int id, bool enabled) {
  Control* control = Find(id);
  if (control && control->button) control->button->setEnabled(enabled);
}

bool QtStore::IsButtonEnabled(int id) {
  Control* control = Find(id);
  return control && control->button && control->button->isEnabled();
}

void QtStore::CheckButton(int id) {
  Control* control = Find(id);
  if (control && control->button) control->button->setChecked(true);
}

bool QtStore::IsButtonChecked(int id) {
  Control* control = Find(id);
  return control && control->button && control->button->isChecked();
}

// Paints the control now, while the program keeps the window busy: the
// user sees the progress, and no input is taken meanwhile.
void QtStore::Repaint(int id) {
  Control* control = Find(id);
  if (control && control->widget) control->widget->repaint();
}

// A range of 0 to 0 is Qt's busy bar.
void QtStore::ShowProgressBar(int id, int position, int range) {
  Control* control = Find(id);
  if (!control || !control->bar) return;
  control->bar->setRange(0, std::max(range, 0));
  control->bar->setValue(range > 0 ? std::clamp(position, 0, range) : 0);
  control->bar->show();
}

void QtStore::HideProgressBar(int id) {
  Control* control = Find(id);
  if (control && control->bar) control->bar->hide();
}

TreeNode QtStore::InsertNode(TreeNode parent, const std::string& text, int image,
                             int selectedImage, bool sorted) {
  if (!tree_ || (parent != 0 && !IsNode(parent))) return 0;
  QTreeWidgetItem* above = parent ? Item(parent) : tree_->invisibleRootItem();
  std::size_t at = static_cast<std::size_t>(above->childCount());
  if (sorted) {
    at = SortedPlace(at, text, [above](std::size_t i) { return TextOf(above->child(static_cast<int>(i))); });
  }
  auto* item = new QTreeWidgetItem();
  item->setData(0, kTextRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  item->setData(0, kDataRole, qulonglong{0});
  // A drive root also tells where its volume is mounted; the program's
  // paths keep the drive letter.
  QString mountedAt = MountedAt(text);
  item->setText(0, mountedAt.isEmpty() ? Shown(text) : Shown(text) + "   " + mountedAt);
  item->setToolTip(0, mountedAt);
  if (image >= 0 && selectedImage >= 0 && static_cast<std::size_t>(image) < images_.size() &&
      static_cast<std::size_t>(selectedImage) < images_.size()) {
    QIcon icon(images_[static_cast<std::size_t>(image)]);
    icon.addPixmap(images_[static_cast<std::size_t>(selectedImage)], QIcon::Selected);
    item->setIcon(0, icon);
  }
  above->insertChild(static_cast<int>(at), item);
  nodes_.insert(Node(item));
  return Node(item);
}

void QtStore::SetNodeData(TreeNode node, TreeNode data) {
  if (IsNode(node)) Item(node)->setData(0, kDataRole, qulonglong{data});
}

TreeNode QtStore::NodeData(TreeNode node) {
  return IsNode(node) ? Item(node)->data(0, kDataRole).value<qulonglong>() : 0;
}

std::string QtStore::NodeText(TreeNode node, int limit) {
  return IsNode(node) ? Cut(TextOf(Item(node)), limit) : std::string();
}

TreeNode QtStore::NodeParent(TreeNode node) {
  return IsNode(node) ? Node(Item(node)->parent()) : 0;
}

// As the tree answers for nodes inserted without a child count: 1 when the
// node has children, whatever their number.
int QtStore::NodeChildCount(TreeNode node) {
  return IsNode(node) && Item(node)->childCount() > 0 ? 1 : 0;
}

// The style's own small pictures in the roles of the seven images.
void QtStore::SetUpTreeImages() {
  QStyle* style = QApplication::style();
  int size = style->pixelMetric(QStyle::PM_SmallIconSize);
  images_.clear();
  for (QStyle::StandardPixmap picture :
       {QStyle::SP_DirClosedIcon, QStyle::SP_DirOpenIcon, QStyle::SP_FileIcon, QStyle::SP_DriveHDIcon,
        QStyle::SP_DriveFDIcon, QStyle::SP_DriveCDIcon, QStyle::SP_ComputerIcon}) {
    images_.push_back(style->standardIcon(picture).pixmap(size, size));
  }
}
