// The window seam of the Windows program: message boxes and the common
// file dialogs, owned by the main dialog, and the dialog kept alive during
// a long run.
#pragma once

#include <windows.h>

#include "store/run_pump.h"
#include "store/shell.h"

class Win32Shell : public Shell {
 public:
  // answers, when given, answers the message boxes and file dialogs (the
  // tests' person); the dialog is kept alive by this shell all the same.
  explicit Win32Shell(HWND dialog, Shell* answers = nullptr) : dialog_(dialog), answers_(answers) {}

  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
  bool AskOpenPlaylist(std::string& path) override;
  bool AskSavePlaylist(std::string& path) override;
  void EndDialog(int result) override;
  void Quit(int code) override;
  bool KeepAlive() override;
  // The close box while a run keeps the dialog alive asks to stop the run;
  // true when it was taken so.
  bool CloseStopsRun() { return pump_.CloseStopsRun(); }

 private:
  HWND dialog_;
  Shell* answers_;
  RunPump pump_;
};
