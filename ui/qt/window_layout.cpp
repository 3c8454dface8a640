#include "window_layout.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstring>
#include <vector>

#include "dialog_template.h"
#include "resource.h"
#include "store/controls.h"

QString TemplateText(const char* text) {
  return kMainDialog.codePage == 65001 ? QString::fromUtf8(text) : QString::fromLatin1(text);
}

namespace {

bool Has(const TemplateControl& control, const char* style) {
  return std::strstr(control.style, style) != nullptr;
}

const TemplateControl& Entry(int id) {
  std::size_t i = 0;
  while (i + 1 < kMainDialog.count && kMainDialog.controls[i].id != id) ++i;
  return kMainDialog.controls[i];
}

// The text that names a control on screen: the label or group box that
// comes before it in the template (a hidden label names it only for
// Windows' screen readers).
QString LabelOf(int id) {
  const char* label = "";
  for (std::size_t i = 0; i < kMainDialog.count && kMainDialog.controls[i].id != id; ++i) {
    const TemplateControl& control = kMainDialog.controls[i];
    if (control.id == IDC_LABEL && !Has(control, "NOT WS_VISIBLE")) label = control.text;
  }
  return TemplateText(label);
}

class Builder {
 public:

  template <typename W>
  W* Add(int id, W* widget) {
    widget->setObjectName(FindControl(id)->name);
    widgets_[id] = widget;
    return widget;
  }

  // A label above (or beside) its control, which it names.
  QLabel* LabelFor(QWidget* control, int id) {
    auto* label = new QLabel(LabelOf(id));
    label->setBuddy(control);
    control->setAccessibleName(label->text());
    return label;
  }

  QTreeWidget* Tree() {
    auto* tree = Add(IDC_FOLDER_TREE, new QTreeWidget());
    tree->setHeaderHidden(true);
    // One column as wide as its longest path: the tree scrolls sideways.
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree->header()->setStretchLastSection(false);
    return tree;
  }

  QListWidget* FolderList(int id) { return Add(id, new QListWidget()); }

  // The selected folder: one line in a frame of its own, read only.
  QListWidget* SelectedFolder() {
    auto* strip = Add(IDC_SELECTED_FOLDER, new QListWidget());
    strip->setSelectionMode(QAbstractItemView::NoSelection);
    strip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strip->viewport()->setBackgroundRole(QPalette::Window);
    strip->setFixedHeight(strip->fontMetrics().height() + 2 * strip->frameWidth() + 4);
    return strip;
  }

  QGroupBox* Field(int id) {
    auto* box = new QGroupBox(LabelOf(id));
    auto* edit = Add(id, new QLineEdit());
    if (Has(Entry(id), "ES_CENTER")) edit->setAlignment(Qt::AlignCenter);
    edit->setAccessibleName(box->title());
    (new QVBoxLayout(box))->addWidget(edit);
    return box;
  }

  // A group box with two radio buttons that uncheck each other.
  QGroupBox* RadioGroup(int first, int second) {
    auto* box = new QGroupBox(LabelOf(first));
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int id : {first, second}) {
      auto* radio = Add(id, new QRadioButton(TemplateText(Entry(id).text)));
      layout->addWidget(radio);
      group->addButton(radio);
    }
    return box;
  }

  QHBoxLayout* ButtonRow(std::initializer_list<int> ids) {
    auto* row = new QHBoxLayout();
    for (int id : ids) {
      auto* button = Add(id, new QPushButton(TemplateText(Entry(id).text)));
      button->setDefault(Has(Entry(id), "BS_DEFPUSHBUTTON"));
      row->addWidget(button, 1);
    }
    return row;
  }

  // A line of the program's own texts, shown as they are, never as markup.
  QLabel* InfoLine(int id) {
    auto* line = Add(id, new QLabel());
    line->setTextFormat(Qt::PlainText);
    line->setWordWrap(true);
    line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return line;
  }

  // The template's tab stops take the focus in its order; nothing else
  // does, but the partner of a group's first radio button, which the
  // arrows reach.
  void SetFocusOrder() {
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < kMainDialog.count; ++i) {
      auto found = widgets_.find(kMainDialog.controls[i].id);
      if (found == widgets_.end()) continue;
      QWidget* widget = found->second;
      bool radio = qobject_cast<QRadioButton*>(widget) != nullptr;
      if (!Has(kMainDialog.controls[i], "WS_TABSTOP") && !radio) {
        widget->setFocusPolicy(Qt::NoFocus);
        continue;
      }
      widget->setFocusPolicy(Qt::StrongFocus);
      if (previous) QWidget::setTabOrder(previous, widget);
      previous = widget;
    }
  }

  std::map<int, QWidget*>& Widgets() { return widgets_; }

 private:
  std::map<int, QWidget*> widgets_;
};

}  // namespace

std::map<int, QWidget*> LayOutControls(QWidget& window) {
  Builder make;
  auto* lists = new QGridLayout();
  QTreeWidget* tree = make.Tree();
  QListWidget* included = make.FolderList(IDC_INCLUDED_LIST);
  QListWidget* excluded = make.FolderList(IDC_EXCLUDED_LIST);
  lists->addWidget(make.LabelFor(tree, IDC_FOLDER_TREE), 0, 0);
  lists->addWidget(tree, 1, 0, 3, 1);
  lists->addWidget(make.LabelFor(included, IDC_INCLUDED_LIST), 0, 1);
  lists->addWidget(included, 1, 1);
  lists->addWidget(make.LabelFor(excluded, IDC_EXCLUDED_LIST), 2, 1);
  lists->addWidget(excluded, 3, 1);
  lists->setColumnStretch(0, 4);
  lists->setColumnStretch(1, 5);
  lists->setRowStretch(1, 1);
  lists->setRowStretch(3, 1);

  auto* selected = new QHBoxLayout();
  QListWidget* strip = make.SelectedFolder();
  selected->addWidget(make.LabelFor(strip, IDC_SELECTED_FOLDER));
  selected->addWidget(strip, 1);

  auto* choices = new QHBoxLayout();
  choices->addWidget(make.Field(IDC_PLAYER_PATH), 1);
  choices->addWidget(make.Field(IDC_MAX_SONGS), 1);
  choices->addWidget(make.RadioGroup(IDC_REPEAT_FORBIDDEN, IDC_REPEAT_ALLOWED), 1);
  choices->addWidget(make.RadioGroup(IDC_CLEAR_BEFORE, IDC_KEEP_EXISTING), 1);

  // Shown only while a long run works, in a place kept for it: showing it
  // moves nothing, so only the bar itself is drawn anew.
  auto* progress = make.Add(IDC_PROGRESS, new QProgressBar());
  QSizePolicy kept = progress->sizePolicy();
  kept.setRetainSizeWhenHidden(true);
  progress->setSizePolicy(kept);
  progress->hide();

  auto* info = new QHBoxLayout();
  info->addWidget(make.InfoLine(IDC_CATALOGUE_INFO), 1);
  info->addWidget(make.InfoLine(IDC_COMPILATION_INFO), 1);

  auto* layout = new QVBoxLayout(&window);
  layout->addLayout(lists, 1);
  layout->addLayout(selected);
  layout->addLayout(choices);
  layout->addLayout(make.ButtonRow({IDC_ADD_INCLUDED, IDC_REMOVE_INCLUDED, IDC_CHOOSE_PLAYER}));
  layout->addLayout(make.ButtonRow({IDC_ADD_EXCLUDED, IDC_REMOVE_EXCLUDED, IDC_FINISH}));
  layout->addLayout(make.ButtonRow({IDC_OPEN_PLAYLIST, IDC_SAVE, IDC_SAVE_AS, IDC_SHUFFLE_COPY}));
  layout->addWidget(progress);
  layout->addLayout(info);
  layout->addWidget(make.InfoLine(IDC_STATUS_LINE));
  make.SetFocusOrder();
  return make.Widgets();
}
