#include "win32_platform.h"

#include <commdlg.h>

namespace {

// One filter, "Playlist" for *.lis; the literal's own NUL ends the list.
constexpr char kPlaylistFilter[] = "Playlist\0*.lis\0";

// The dialogs must not move the working folder: the copy log and
// ultima.lis are written there.
constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;

OPENFILENAMEA PlaylistDialog(void* owner, std::string& buffer) {
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = static_cast<HWND>(owner);
  dialog.lpstrFilter = kPlaylistFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = &buffer[0];
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  return dialog;
}

}  // namespace

std::time_t Win32Platform::Now() { return std::time(nullptr); }

std::tm Win32Platform::LocalTime(std::time_t when) {
  std::tm* local = std::localtime(&when);
  return local ? *local : std::tm{};
}

int Win32Platform::ShowMessage(void* owner, const std::string& text, const std::string& caption,
                               unsigned style) {
  return MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), style);
}

bool Win32Platform::AskOpenPlaylist(void* owner, std::string& path) {
  std::string buffer(MAX_PATH, '\0');
  OPENFILENAMEA dialog = PlaylistDialog(owner, buffer);
  dialog.Flags = kOpenFlags;
  if (!GetOpenFileNameA(&dialog)) return false;
  path.assign(buffer.c_str());
  return true;
}

bool Win32Platform::AskSavePlaylist(void* owner, std::string& path) {
  // Four bytes over a path: room for the ".lis" the dialog may append.
  std::string buffer(MAX_PATH + 4, '\0');
  OPENFILENAMEA dialog = PlaylistDialog(owner, buffer);
  dialog.lpstrDefExt = "lis";
  dialog.Flags = kSaveFlags;
  if (!GetSaveFileNameA(&dialog)) return false;
  path.assign(buffer.c_str());
  return true;
}

void Win32Platform::EndDialog(void* dialog, int result) {
  ::EndDialog(static_cast<HWND>(dialog), result);
}

void Win32Platform::PostQuit(int code) { PostQuitMessage(code); }

Platform& NativePlatform() {
  static Win32Platform platform;
  return platform;
}
