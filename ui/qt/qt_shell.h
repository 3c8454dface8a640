// The window seam of the Linux program: Qt's message boxes and file
// dialogs, owned by the main window, and the window kept alive during a
// long run.
#pragma once

#include <QObject>

#include <chrono>
#include <functional>

#include "store/run_pump.h"
#include "store/shell.h"

class QWidget;

class QtShell : public QObject, public Shell {
 public:
  // end ends the window with a result; answers, when given, answers the
  // message boxes and file dialogs (the tests' person), while the window
  // is kept alive by this shell all the same.
  QtShell(QWidget& owner, std::function<void(int)> end, Shell* answers = nullptr)
      : owner_(owner), end_(std::move(end)), answers_(answers) {}

  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
  bool AskOpenPlaylist(std::string& path) override;
  bool AskSavePlaylist(std::string& path) override;
  void EndDialog(int result) override;
  // The window ends and the program with it, which exits with code.
  void Quit(int code) override;
  bool KeepAlive() override;
  // The close box while a run keeps the window alive asks to stop the run;
  // true when it was taken so.
  bool CloseStopsRun() { return pump_.CloseStopsRun(); }

 protected:
  // While the window is kept alive: input to it is dropped, Escape noted,
  // and style animations slowed.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static constexpr std::chrono::milliseconds kAnimationFrame{200};
  bool SkipAnimationFrame(QEvent& event);

  QWidget& owner_;
  std::function<void(int)> end_;
  Shell* answers_;
  RunPump pump_;
  std::chrono::steady_clock::time_point lastFrame_{};
};

// Loads Qt's own Italian texts, so that the standard buttons and the file
// dialogs speak the program's language ("S\u00ec", "No", "Annulla").
void UseItalianTexts();
