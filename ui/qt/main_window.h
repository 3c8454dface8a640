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
  // events receive the window's events; shell, when given, answers the
  // window's calls in place of its own message boxes and file dialogs.
  explicit MainWindow(const DialogEvents& events, Shell* shell = nullptr);
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
  QtShell ownShell_;
  std::map<int, QWidget*> widgets_;
  std::unique_ptr<QtStore> store_;
  bool ending_ = false;
};
