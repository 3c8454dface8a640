// The window seam: what the program asks of the window that shows it,
// rather than of the system. Each window provides one (the Win32 dialog,
// the Qt window, the tests' scripted one).
#pragma once

#include <string>

// Message box styles and answers, with the Win32 values.
constexpr unsigned MESSAGE_OK = 0x0;
constexpr unsigned MESSAGE_YES_NO = 0x4;
constexpr unsigned MESSAGE_YES_NO_CANCEL = 0x3;
constexpr unsigned MESSAGE_ICON_QUESTION = 0x20;
constexpr unsigned MESSAGE_ICON_EXCLAMATION = 0x30;
constexpr int ANSWER_OK = 1;
constexpr int ANSWER_CANCEL = 2;
constexpr int ANSWER_YES = 6;
constexpr int ANSWER_NO = 7;

class Shell {
 public:
  virtual ~Shell() = default;

  // A modal message box owned by the window; returns the answer (ANSWER_...).
  virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned style) = 0;
  // The playlist file dialogs ("Playlist", *.lis), which leave the working
  // folder as it is. True with the chosen path, false when the user cancelled.
  virtual bool AskOpenPlaylist(std::string& path) = 0;
  virtual bool AskSavePlaylist(std::string& path) = 0;
  // Ends the window and, with it, the program.
  virtual void EndDialog(int result) = 0;
  // Ends the program at once, with the exit code (after a failure).
  virtual void Quit(int code) = 0;
  // Called often during a scan or a copy, which keep the window's thread:
  // at most every 50 ms the window repaints and answers the system, and
  // acts on no input to its controls. True when the user pressed Escape or
  // the close box since the last call that said so.
  virtual bool KeepAlive() = 0;
};
