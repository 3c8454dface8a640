#include "shell.h"

#include <commdlg.h>

#include "platform/win32/wide.h"

namespace {

// One filter, "Playlist" for *.lis; the literal's own NUL ends the list.
constexpr wchar_t kPlaylistFilter[] = L"Playlist\0*.lis\0";

// The dialogs must not move the working folder: the copy log and
// ultima.lis are written there.
constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;

OPENFILENAMEW PlaylistDialog(HWND owner, std::wstring& buffer) {
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kPlaylistFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = &buffer[0];
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  return dialog;
}

}  // namespace

int Win32Shell::ShowMessage(const std::string& text, const std::string& caption, unsigned style) {
  return MessageBoxW(dialog_, Widen(text).c_str(), Widen(caption).c_str(), style);
}

bool Win32Shell::AskOpenPlaylist(std::string& path) {
  std::wstring buffer(MAX_PATH, L'\0');
  OPENFILENAMEW dialog = PlaylistDialog(dialog_, buffer);
  dialog.Flags = kOpenFlags;
  if (!GetOpenFileNameW(&dialog)) return false;
  path = Narrow(buffer.c_str());
  return true;
}

bool Win32Shell::AskSavePlaylist(std::string& path) {
  // Four bytes over a path: room for the ".lis" the dialog may append.
  std::wstring buffer(MAX_PATH + 4, L'\0');
  OPENFILENAMEW dialog = PlaylistDialog(dialog_, buffer);
  dialog.lpstrDefExt = L"lis";
  dialog.Flags = kSaveFlags;
  if (!GetSaveFileNameW(&dialog)) return false;
  path = Narrow(buffer.c_str());
  return true;
}

void Win32Shell::EndDialog(int result) { ::EndDialog(dialog_, result); }

void Win32Shell::Quit(int code) { PostQuitMessage(code); }
