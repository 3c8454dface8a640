// The window of the benchmarks: nobody is there to answer, so every message
// takes its first answer and every file dialog is cancelled.
#pragma once

#include "store/shell.h"

class QuietShell : public Shell {
 public:
  int ShowMessage(const std::string&, const std::string&, unsigned style) override {
    return (style & 0xF) == MESSAGE_OK ? ANSWER_OK : ANSWER_YES;
  }
  bool AskOpenPlaylist(std::string&) override { return false; }
  bool AskSavePlaylist(std::string&) override { return false; }
  void EndDialog(int) override {}
  void Quit(int) override {}
  bool KeepAlive() override { return false; }
};

inline QuietShell& Quiet() {
  static QuietShell shell;
  return shell;
}
