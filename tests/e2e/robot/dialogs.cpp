#include "dialogs.h"

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

}  // namespace

HWND OwnedDialog(HWND main) {
  Search search = {main, nullptr};
  EnumWindows(MatchOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
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
