// The Linux program's main window: the controls of the dialog template in
// Qt's layouts, resizable, with the store over them. Its slots only turn Qt's events into the program's
// typed calls.
#pragma once

#include <QDialog>

#include <map>
#include <memory>

#include "qt_shell.h"
#include "store/events.h"

class QtStore;

class MainWindow : public QDialog {
 public:
  // events receive the window's events; answers, when given, answers the
  // message boxes and file dialogs in place of the window's own.
  explicit MainWindow(const DialogEvents& events, Shell* answers = nullptr);
  ~MainWindow() override;

  StateStore& Store();
  // The window's first event, then the window shows.
  void Start();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void End(int result);

  const DialogEvents& events_;
  QtShell shell_;
  std::map<int, QWidget*> widgets_;
  std::unique_ptr<QtStore> store_;
  bool ending_ = false;
};
