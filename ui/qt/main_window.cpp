#include "main_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>

#include "dialog_template.h"
#include "qt_store.h"
#include "store/controls.h"
#include "window_layout.h"

MainWindow::MainWindow(const DialogEvents& events, Shell* answers)
    : events_(events), shell_(*this, [this](int result) { End(result); }, answers) {
  setWindowTitle(TemplateText(kMainDialog.caption));
  setWindowIcon(QIcon(":/mescola.svg"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  widgets_ = LayOutControls(*this);
  // As large as the template's dialog units make it at the desktop's
  // font, and never smaller than the texts need.
  QFontMetrics metrics(font());
  int averageWidth = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
  resize(QSize(kMainDialog.width * averageWidth / 4, kMainDialog.height * metrics.height() / 8)
             .expandedTo(minimumSizeHint()));
  store_ = std::make_unique<QtStore>(widgets_, shell_, events_);
}

MainWindow::~MainWindow() = default;

StateStore& MainWindow::Store() { return *store_; }

void MainWindow::Start() {
  if (events_.start) events_.start(*store_);
  show();
}

// The first end decides the result: after a failure has asked to quit, the
// dialog's own end that follows does not turn the exit code into 0.
void MainWindow::End(int result) {
  if (ending_) return;
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
