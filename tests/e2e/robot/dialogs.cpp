#include "dialogs.h"

#include <dlgs.h>

#include "window.h"

namespace {

struct Search {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner &&
      ClassOf(window) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The file-name field of the newer dialogs is an edit inside a combo box.
BOOL CALLBACK FirstEdit(HWND window, LPARAM context) {
  if (ClassOf(window) != L"Edit") return TRUE;
  *reinterpret_cast<HWND*>(context) = window;
  return FALSE;
}

}  // namespace

HWND OwnedDialog(HWND main) {
  Search search = {main, nullptr};
  EnumWindows(MatchOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FileNameField(HWND dialog) {
  HWND field = GetDlgItem(dialog, edt1);
  if (field && IsWindowVisible(field)) return field;
  HWND combo = GetDlgItem(dialog, cmb13);
  if (!combo || !IsWindowVisible(combo)) return nullptr;
  HWND edit = nullptr;
  EnumChildWindows(combo, FirstEdit, reinterpret_cast<LPARAM>(&edit));
  return edit;
}

std::wstring MessageText(HWND box) {
  for (HWND child : Children(box)) {
    if (ClassOf(child) != L"Static" || !IsWindowVisible(child)) continue;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
    std::wstring text = TextOf(child);
    if (!text.empty()) return text;
  }
  return {};
}
