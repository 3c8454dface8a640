#include "window.h"

#include <commctrl.h>

#include <map>

#include "resource.h"
#include "text.h"

DWORD g_timeout_ms = 10000;

namespace {

constexpr wchar_t MAIN_CAPTION[] = L"Mescola - riempi il lettore MP3";

}  // namespace

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool* ok, DWORD timeout_ms) {
  DWORD_PTR result = 0;
  bool handled = SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, timeout_ms, &result) != 0;
  if (ok) *ok = handled;
  return static_cast<LRESULT>(result);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= timeout_ms) return false;
    Sleep(50);
  }
  return true;
}

std::wstring TextOf(HWND window) {
  int length = static_cast<int>(Send(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  int copied = static_cast<int>(Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied > 0 ? copied : 0);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

HWND MainWindow() {
  HWND main = FindWindowW(nullptr, MAIN_CAPTION);
  return main && IsWindowVisible(main) ? main : nullptr;
}

HWND WaitForMainWindow() {
  HWND main = nullptr;
  WaitFor([&] { return (main = MainWindow()) != nullptr; });
  return main;
}

HWND ControlByName(HWND main, const std::wstring& name) {
  static const std::map<std::wstring, int> ids = {
      {L"tree", IDC_FOLDER_TREE},           {L"included", IDC_INCLUDED_LIST},
      {L"excluded", IDC_EXCLUDED_LIST},     {L"selected", IDC_SELECTED_FOLDER},
      {L"player", IDC_PLAYER_PATH},         {L"songs", IDC_MAX_SONGS},
      {L"status", IDC_STATUS_LINE},         {L"compilation", IDC_COMPILATION_INFO},
      {L"catalogue", IDC_CATALOGUE_INFO},
  };
  auto found = ids.find(name);
  if (found == ids.end()) return nullptr;
  HWND control = GetDlgItem(main, found->second);
  return control && IsWindowVisible(control) ? control : nullptr;
}

HWND ButtonByLabel(HWND window, const std::wstring& label) {
  for (HWND child : Children(window)) {
    if (ClassOf(child) != L"Button" || !IsWindowVisible(child)) continue;
    if (WithoutAccessKey(TextOf(child)) == label) return child;
  }
  return nullptr;
}

std::vector<std::wstring> ListEntries(HWND list) {
  std::vector<std::wstring> entries;
  int count = static_cast<int>(Send(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    int length = static_cast<int>(Send(list, LB_GETTEXTLEN, i, 0));
    std::wstring entry(length > 0 ? length + 1 : 1, L'\0');
    int copied = static_cast<int>(Send(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data())));
    entry.resize(copied > 0 ? copied : 0);
    entries.push_back(entry);
  }
  return entries;
}
