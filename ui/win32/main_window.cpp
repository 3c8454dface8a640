#include "main_window.h"

#include <commctrl.h>

#include "app/dispatch.h"
#include "win32_store.h"

namespace {

// The store lives in the dialog's user slot from its first message to its
// last; the dialog's creation parameter may name the window seam it uses.
Win32Store* StoreOf(HWND dialog) {
  return reinterpret_cast<Win32Store*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

Win32Store& MakeStore(HWND dialog, LPARAM shell) {
  auto* store = new Win32Store(dialog, reinterpret_cast<Shell*>(shell));
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(store));
  return *store;
}

void ForgetStore(HWND dialog) {
  delete StoreOf(dialog);
  SetWindowLongPtrW(dialog, DWLP_USER, 0);
}

void CentreOnScreen(HWND dialog) {
  RECT window;
  GetWindowRect(dialog, &window);
  int x = (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2;
  SetWindowPos(dialog, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// A new selection in the tree carries the new node's item data; every other
// notification only runs the enabling rules.
INT_PTR Notify(Win32Store& dlg, const NMHDR& header) {
  if (header.idFrom == IDC_FOLDER_TREE && header.code == TVN_SELCHANGEDW) {
    auto data = reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.lParam;
    return HandleTreeSelected(dlg, static_cast<TreeNode>(data));
  }
  return HandleNotification(dlg);
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    InitMainDialog(MakeStore(dialog, lparam));
    // The focus starts on the default button, where it started when only
    // the push buttons were tab stops: the tree, first in the tab order,
    // selects its first drive when it takes the focus. Set before the
    // window moves, which activates it and would focus the tree.
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_FINISH)), TRUE);
    CentreOnScreen(dialog);
    return FALSE;
  }
  // Nothing reaches the program before the dialog is set up.
  Win32Store* dlg = StoreOf(dialog);
  if (!dlg) return FALSE;
  switch (message) {
    case WM_NOTIFY:
      return Notify(*dlg, *reinterpret_cast<const NMHDR*>(lparam));
    case WM_CLOSE:
      if (dlg->Window().CloseStopsRun()) return TRUE;
      return HandleClose(*dlg);
    case WM_COMMAND:
      return HandleCommand(*dlg, LOWORD(wparam), HIWORD(wparam));
    case WM_NCDESTROY:
      ForgetStore(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}
