#include "main_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <cstring>

#include "dialog_template.h"
#include "qt_store.h"
#include "store/controls.h"

namespace {

bool Has(const TemplateControl& control, const char* style) {
  return std::strstr(control.style, style) != nullptr;
}

QString TemplateText(const char* text) {
  return kMainDialog.codePage == 65001 ? QString::fromUtf8(text) : QString::fromLatin1(text);
}

// Dialog units to pixels as Windows converts them: a quarter of the font's
// average character width across, an eighth of its height down.
struct DialogUnits {
  explicit DialogUnits(const QFont& font) {
    QFontMetrics metrics(font);
    int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX = (letters / 26 + 1) / 2;
    baseY = metrics.height();
  }
  QRect Of(const TemplateControl& c) const {
    return QRect(X(c.x), Y(c.y), X(c.x + c.width) - X(c.x), Y(c.y + c.height) - Y(c.y));
  }
  int X(int units) const { return units * baseX / 4; }
  int Y(int units) const { return units * baseY / 8; }
  int baseX, baseY;
};

QWidget* MakeList(const TemplateControl& c) {
  auto* list = new QListWidget();
  if (!Has(c, "WS_BORDER")) list->setFrameShape(QFrame::NoFrame);
  if (!Has(c, "WS_VSCROLL")) list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  if (!Has(c, "WS_HSCROLL")) list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return list;
}

QWidget* MakeButton(const TemplateControl& c) {
  if (Has(c, "BS_GROUPBOX")) return new QGroupBox(TemplateText(c.text));
  if (Has(c, "BS_AUTORADIOBUTTON")) return new QRadioButton(TemplateText(c.text));
  auto* button = new QPushButton(TemplateText(c.text));
  button->setDefault(Has(c, "BS_DEFPUSHBUTTON"));
  return button;
}

QWidget* MakeControl(const TemplateControl& c) {
  std::string windowClass = c.windowClass;
  if (windowClass == "STATIC") {
    auto* label = new QLabel(TemplateText(c.text));
    // Folder and song names are shown as they are, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment((Has(c, "SS_CENTER") ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setWordWrap(true);
    // A label covers what lies beneath it, as the list's lower edge.
    label->setAutoFillBackground(true);
    return label;
  }
  if (windowClass == "LISTBOX") return MakeList(c);
  if (windowClass == "msctls_progress32") return new QProgressBar();
  if (windowClass == "BUTTON") return MakeButton(c);
  if (windowClass == "EDIT") {
    auto* edit = new QLineEdit();
    if (Has(c, "ES_CENTER")) edit->setAlignment(Qt::AlignCenter);
    edit->setFrame(Has(c, "WS_BORDER"));
    return edit;
  }
  auto* tree = new QTreeWidget();
  tree->setHeaderHidden(true);
  return tree;
}

}  // namespace

MainWindow::MainWindow(const DialogEvents& events, Shell* answers)
    : events_(events), shell_(*this, [this](int result) { End(result); }, answers) {
  setWindowTitle(TemplateText(kMainDialog.caption));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  QFont font(kMainDialog.fontName, kMainDialog.fontPoints);
  font.setStyleHint(QFont::SansSerif);
  setFont(font);
  AddControls();
  store_ = std::make_unique<QtStore>(widgets_, shell_, events_);
}

MainWindow::~MainWindow() = default;

StateStore& MainWindow::Store() { return *store_; }

// In template order, which is the tab order; only the push buttons are
// tab stops.
void MainWindow::AddControls() {
  DialogUnits units(font());
  setFixedSize(units.X(kMainDialog.width), units.Y(kMainDialog.height));
  std::map<int, QButtonGroup*> groups;
  for (std::size_t i = 0; i < kMainDialog.count; ++i) {
    const TemplateControl& c = kMainDialog.controls[i];
    const ControlInfo* info = FindControl(c.id);
    if (info && !info->visible) continue;
    QWidget* widget = MakeControl(c);
    widget->setParent(this);
    widget->setGeometry(units.Of(c));
    if (Has(c, "NOT WS_VISIBLE")) widget->hide();
    bool tabStop = Has(c, "WS_TABSTOP");
    widget->setFocusPolicy(tabStop ? Qt::StrongFocus
                                   : widget->focusPolicy() == Qt::NoFocus ? Qt::NoFocus : Qt::ClickFocus);
    if (qobject_cast<QGroupBox*>(widget)) widget->lower();
    if (!info) continue;
    widget->setObjectName(info->name);
    widgets_[c.id] = widget;
    // A radio button and its partner uncheck each other.
    if (info->partner) {
      QButtonGroup*& group = groups[std::min(c.id, info->partner)];
      if (!group) group = new QButtonGroup(this);
      group->addButton(static_cast<QAbstractButton*>(widget));
    }
  }
}

void MainWindow::Start() {
  if (events_.start) events_.start(*store_);
  show();
}

void MainWindow::End(int result) {
  ending_ = true;
  done(result);
}

// The program decides whether the window ends: the close box is its event.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (ending_) {
    event->accept();
    return;
  }
  event->ignore();
  if (shell_.CloseStopsRun()) return;
  if (events_.close) events_.close(*store_);
}

// Escape is the cancel command, which leaves the window open; Enter goes
// to the default button as in any dialog.
void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    if (events_.command) events_.command(*store_, ID_CANCEL, NOTIFY_BUTTON_CLICKED);
    return;
  }
  QDialog::keyPressEvent(event);
}
