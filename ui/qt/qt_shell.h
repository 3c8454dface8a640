// The window seam of the Linux program: Qt's message boxes and file
// dialogs, owned by the main window.
#pragma once

#include <functional>

#include "store/shell.h"

class QWidget;

class QtShell : public Shell {
 public:
  // end ends the window with a result.
  QtShell(QWidget& owner, std::function<void(int)> end) : owner_(owner), end_(std::move(end)) {}

  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
  bool AskOpenPlaylist(std::string& path) override;
  bool AskSavePlaylist(std::string& path) override;
  void EndDialog(int result) override { end_(result); }
  // The window ends and the program with it, which exits with code.
  void Quit(int code) override { end_(code); }

 private:
  QWidget& owner_;
  std::function<void(int)> end_;
};

// Loads Qt's own Italian texts, so that the standard buttons and the file
// dialogs speak the program's language ("S\u00ec", "No", "Annulla").
void UseItalianTexts();
