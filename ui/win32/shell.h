// The window seam of the Windows program: message boxes and the common
// file dialogs, owned by the main dialog.
#pragma once

#include <windows.h>

#include "store/shell.h"

class Win32Shell : public Shell {
 public:
  explicit Win32Shell(HWND dialog) : dialog_(dialog) {}

  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
  bool AskOpenPlaylist(std::string& path) override;
  bool AskSavePlaylist(std::string& path) override;
  void EndDialog(int result) override;
  void Quit(int code) override;

 private:
  HWND dialog_;
};
