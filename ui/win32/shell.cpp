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
  if (answers_) return answers_->ShowMessage(text, caption, style);
  return MessageBoxW(dialog_, Widen(text).c_str(), Widen(caption).c_str(), style);
}

bool Win32Shell::AskOpenPlaylist(std::string& path) {
  if (answers_) return answers_->AskOpenPlaylist(path);
  std::wstring buffer(MAX_PATH, L'\0');
  OPENFILENAMEW dialog = PlaylistDialog(dialog_, buffer);
  dialog.Flags = kOpenFlags;
  if (!GetOpenFileNameW(&dialog)) return false;
  path = Narrow(buffer.c_str());
  return true;
}

bool Win32Shell::AskSavePlaylist(std::string& path) {
  if (answers_) return answers_->AskSavePlaylist(path);
  // Four bytes over a path: room for the ".lis" the dialog may append.
  std::wstring buffer(MAX_PATH + 4, L'\0');
  OPENFILENAMEW dialog = PlaylistDialog(dialog_, buffer);
  dialog.lpstrDefExt = L"lis";
  dialog.Flags = kSaveFlags;
  if (!GetSaveFileNameW(&dialog)) return false;
  path = Narrow(buffer.c_str());
  return true;
}

void Win32Shell::EndDialog(int result) {
  if (answers_) return answers_->EndDialog(result);
  ::EndDialog(dialog_, result);
}

void Win32Shell::Quit(int code) {
  if (answers_) return answers_->Quit(code);
  PostQuitMessage(code);
}

namespace {

bool IsInput(const MSG& message) {
  UINT m = message.message;
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
         (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK);
}

// Escape, the close box and its keyboard equivalent.
bool AsksToStop(const MSG& message) {
  switch (message.message) {
    case WM_KEYDOWN: return message.wParam == VK_ESCAPE;
    case WM_SYSKEYDOWN: return message.wParam == VK_F4;
    case WM_NCLBUTTONDOWN: return message.wParam == HTCLOSE;
    case WM_SYSCOMMAND: return (message.wParam & 0xFFF0) == SC_CLOSE;
    default: return false;
  }
}

}  // namespace

// Takes every message waiting: paint, timers and the system's questions
// are handled, input is dropped (a stop request noted), so the dialog
// never looks hung and no control acts during the run.
bool Win32Shell::KeepAlive() {
  return pump_.KeepAlive([this] {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the dialog's own loop
        break;
      }
      if (AsksToStop(message)) pump_.AskStop();
      if (!IsInput(message) && !AsksToStop(message)) DispatchMessageW(&message);
    }
  });
}
