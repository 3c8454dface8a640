#include "window.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "resource.h"

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The first visible child of the class whose text passes the test.
HWND ChildWhere(HWND parent, const wchar_t* kind, const std::function<bool(HWND)>& test) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && ClassOf(child) == kind && test(child)) return child;
  return nullptr;
}

// A tree item carries a pointer to its text, which the system does not carry
// across processes: the label is read through a block in the program's memory.
std::wstring NodeLabel(HWND tree, HTREEITEM node) {
  constexpr int CHARS = 1024;
  DWORD pid = 0;
  GetWindowThreadProcessId(tree, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return {};
  auto* block = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + CHARS * sizeof(wchar_t),
                                                  MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  std::wstring text(CHARS, L'\0');
  TVITEMW item = {};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = reinterpret_cast<LPWSTR>(block + sizeof item);
  item.cchTextMax = CHARS;
  if (block && WriteProcessMemory(process, block, &item, sizeof item, nullptr) &&
      Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block)))
    ReadProcessMemory(process, block + sizeof item, text.data(), CHARS * sizeof(wchar_t), nullptr);
  if (block) VirtualFreeEx(process, block, 0, MEM_RELEASE);
  CloseHandle(process);
  text.resize(wcsnlen(text.c_str(), CHARS));
  return text;
}

}  // namespace

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool* ok, DWORD timeout_ms) {
  DWORD_PTR result = 0;
  bool handled = SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, timeout_ms, &result) != 0;
  if (ok) *ok = handled;
  return static_cast<LRESULT>(result);
}

bool WaitFor(const std::function<bool()>& condition) {
  for (DWORD start = GetTickCount(); !condition(); Sleep(50))
    if (GetTickCount() - start >= 10000) return false;
  return true;
}

std::wstring TextOf(HWND window) {
  std::wstring text(Send(window, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
  text.resize(Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  return text;
}

namespace {

// With two programs running, the window of the first one started, or with
// ROBOT_NEWEST set, of the last one (Wine numbers processes in order).
HWND ProgramWindow() {
  std::pair<HWND, DWORD> found = {nullptr, 0};
  bool newest = getenv("ROBOT_NEWEST") != nullptr;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, L"Mescola - riempi il lettore MP3"));) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (!found.first || (newest ? pid > found.second : pid < found.second)) found = {window, pid};
  }
  return found.first;
}

}  // namespace

HWND MainWindow(bool wait) {
  HWND main = nullptr;
  auto shown = [&] {
    main = ProgramWindow();
    return main && IsWindowVisible(main);
  };
  return (wait ? WaitFor(shown) : shown()) ? main : nullptr;
}

HWND Control(const std::wstring& role) {
  static const std::map<std::wstring, int> ids = {
      {L"tree", IDC_FOLDER_TREE},     {L"included", IDC_INCLUDED_LIST}, {L"excluded", IDC_EXCLUDED_LIST},
      {L"selected", IDC_SELECTED_FOLDER}, {L"player", IDC_PLAYER_PATH}, {L"songs", IDC_MAX_SONGS},
      {L"status", IDC_STATUS_LINE},   {L"catalogue", IDC_CATALOGUE_INFO},
  };
  auto found = ids.find(role);
  HWND main = MainWindow(true);
  HWND control = found == ids.end() || !main ? nullptr : GetDlgItem(main, found->second);
  return control && IsWindowVisible(control) ? control : nullptr;
}

HWND Button(HWND window, const std::wstring& label) {
  return ChildWhere(window, L"Button", [&](HWND button) {
    std::wstring shown = TextOf(button);
    if (std::size_t amp = shown.find(L'&'); amp != std::wstring::npos) shown.erase(amp, 1);
    return shown == label;
  });
}

HWND MessageBoxOver(HWND main) {
  std::pair<HWND, HWND> search = {main, nullptr};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* search = reinterpret_cast<std::pair<HWND, HWND>*>(context);
        if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search->first || ClassOf(window) != L"#32770")
          return TRUE;
        search->second = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::wstring MessageText(HWND box) {
  HWND text = ChildWhere(box, L"Static", [](HWND label) {
    return (GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK) != SS_ICON && !TextOf(label).empty();
  });
  return text ? TextOf(text) : L"";
}

std::vector<std::wstring> Shown(HWND control) {
  if (ClassOf(control) != L"ListBox") return {TextOf(control)};
  // A list that changes meanwhile answers LB_ERR (-1): that read counts as empty.
  std::vector<std::wstring> entries(std::max<LRESULT>(Send(control, LB_GETCOUNT, 0, 0), 0));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i].resize(std::max<LRESULT>(Send(control, LB_GETTEXTLEN, i, 0), 0) + 1);
    entries[i].resize(std::max<LRESULT>(Send(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entries[i].data())), 0));
  }
  return entries;
}

HTREEITEM Node(HWND tree, HTREEITEM parent, const std::wstring& label) {
  auto next = [&](WPARAM which, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
  };
  for (HTREEITEM node = next(parent ? TVGN_CHILD : TVGN_ROOT, parent); node; node = next(TVGN_NEXT, node))
    if (NodeLabel(tree, node) == label) return node;
  return nullptr;
}
