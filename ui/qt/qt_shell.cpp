#include "qt_shell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "platform/platform.h"

namespace {

QString Shown(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon IconOf(unsigned style) {
  switch (style & 0xF0) {
    case 0x10: return QMessageBox::Critical;
    case 0x20: return QMessageBox::Question;
    case MESSAGE_ICON_EXCLAMATION: return QMessageBox::Warning;
    case 0x40: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// The buttons of a style, the first one the default as on Windows.
QList<QMessageBox::StandardButton> ButtonsOf(unsigned style) {
  switch (style & 0x0F) {
    case MESSAGE_YES_NO_CANCEL: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case MESSAGE_YES_NO: return {QMessageBox::Yes, QMessageBox::No};
    default: return {QMessageBox::Ok};
  }
}

int AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Yes: return ANSWER_YES;
    case QMessageBox::No: return ANSWER_NO;
    case QMessageBox::Cancel: return ANSWER_CANCEL;
    default: return ANSWER_OK;
  }
}

// The chosen file in the program's form (E:\Liste\rock.lis); false when
// the user cancelled or chose a file on no drive the program knows.
bool AskPlaylist(QFileDialog& dialog, std::string& path) {
  dialog.setWindowIcon(dialog.parentWidget()->windowIcon());
  dialog.setNameFilter("Playlist (*.lis)");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  std::string chosen = System().ProgramPath(dialog.selectedFiles().front().toUtf8().toStdString());
  if (chosen.empty()) return false;
  path = chosen;
  return true;
}

}  // namespace

int QtShell::ShowMessage(const std::string& text, const std::string& caption, unsigned style) {
  if (answers_) return answers_->ShowMessage(text, caption, style);
  QMessageBox box(IconOf(style), Shown(caption), Shown(text), QMessageBox::NoButton, &owner_);
  box.setTextFormat(Qt::PlainText);
  box.setWindowIcon(owner_.windowIcon());
  QList<QMessageBox::StandardButton> buttons = ButtonsOf(style);
  for (QMessageBox::StandardButton button : buttons) box.addButton(button);
  box.setDefaultButton(buttons.front());
  return AnswerOf(box.exec());
}

// Qt's dialogs never move the working folder, where the copy log and
// ultima.lis are written.
bool QtShell::AskOpenPlaylist(std::string& path) {
  if (answers_) return answers_->AskOpenPlaylist(path);
  QFileDialog dialog(&owner_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return AskPlaylist(dialog, path);
}

bool QtShell::AskSavePlaylist(std::string& path) {
  if (answers_) return answers_->AskSavePlaylist(path);
  QFileDialog dialog(&owner_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix("lis");
  return AskPlaylist(dialog, path);
}

void QtShell::EndDialog(int result) {
  if (answers_) return answers_->EndDialog(result);
  end_(result);
}

void QtShell::Quit(int code) {
  if (answers_) return answers_->Quit(code);
  end_(code);
}

namespace {

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::ShortcutOverride: case QEvent::Shortcut:
    case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: case QEvent::Wheel: case QEvent::ContextMenu: case QEvent::InputMethod:
    case QEvent::TouchBegin: case QEvent::TouchUpdate: case QEvent::TouchEnd:
    case QEvent::TabletPress: case QEvent::TabletRelease: case QEvent::TabletMove:
      return true;
    default:
      return false;
  }
}

}  // namespace

// Every pending event is processed, so the window repaints and answers the
// window manager; the filter keeps input from its controls.
bool QtShell::KeepAlive() {
  return pump_.KeepAlive([this] {
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(this);
  });
}

bool QtShell::eventFilter(QObject* watched, QEvent* event) {
  bool input = IsInput(event->type());
  if (!input && event->type() != QEvent::StyleAnimationUpdate) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  auto* window = qobject_cast<QWindow*>(watched);
  bool ours = (widget && widget->window() == &owner_) || (window && window == owner_.windowHandle());
  if (!ours) return false;
  if (!input) return SkipAnimationFrame(*event);
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    pump_.AskStop();
  }
  return true;
}

// Drawing the busy bar of a scan is most of what a pump costs, so it moves
// a few times a second rather than at the style's frame rate. A skipped
// frame is still accepted, or the style would end its animation.
bool QtShell::SkipAnimationFrame(QEvent& event) {
  auto now = std::chrono::steady_clock::now();
  if (now - lastFrame_ >= kAnimationFrame) {
    lastFrame_ = now;
    return false;
  }
  event.accept();
  return true;
}

void UseItalianTexts() {
  static QTranslator translator;
  if (translator.load("qtbase_it", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }
}
