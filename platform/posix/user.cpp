#include <cstdio>
#include <cstdlib>

#include "posix_platform.h"

// Without a window system the program has no dialogs to show: messages go to
// the standard error stream and take their first answer, file dialogs are
// cancelled.

std::time_t PosixPlatform::Now() { return std::time(nullptr); }

std::tm PosixPlatform::LocalTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

int PosixPlatform::ShowMessage(void*, const std::string& text, const std::string& caption,
                               unsigned style) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return (style & 0xF) == MESSAGE_YES_NO_CANCEL ? ANSWER_YES : ANSWER_OK;
}

bool PosixPlatform::AskOpenPlaylist(void*, std::string&) { return false; }

bool PosixPlatform::AskSavePlaylist(void*, std::string&) { return false; }

void PosixPlatform::EndDialog(void*, int) {}

void PosixPlatform::PostQuit(int) {}

Platform& NativePlatform() {
  static PosixPlatform platform;
  return platform;
}
