#include "main_window.h"

#include <commctrl.h>

#include "app/dispatch.h"
#include "win32_store.h"

namespace {

// The store lives in the dialog's user slot from its first message to its last.
Win32Store& StoreOf(HWND dialog) {
  auto* store = reinterpret_cast<Win32Store*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!store) {
    store = new Win32Store(dialog);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(store));
  }
  return *store;
}

void ForgetStore(HWND dialog) {
  delete reinterpret_cast<Win32Store*>(GetWindowLongPtrA(dialog, DWLP_USER));
  SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

// The program reads of a notification only its sender, its code and, for a
// new selection in the tree, the new node's item data.
Notification Translate(const NMHDR& header) {
  Notification notification{static_cast<int>(header.idFrom), static_cast<int>(header.code), 0};
  if (header.code == TVN_SELCHANGEDA) {
    notification.node =
        static_cast<TreeNode>(reinterpret_cast<const NMTREEVIEWA&>(header).itemNew.lParam);
  }
  return notification;
}

void CentreOnScreen(HWND dialog) {
  RECT window;
  GetWindowRect(dialog, &window);
  int x = (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2;
  SetWindowPos(dialog, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

INT_PTR CALLBACK MainWindowProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NOTIFY: {
      Notification notification = Translate(*reinterpret_cast<const NMHDR*>(lparam));
      return MainDialogProc(StoreOf(dialog), MSG_NOTIFY, wparam,
                            reinterpret_cast<std::intptr_t>(&notification));
    }
    case WM_INITDIALOG: {
      int result = MainDialogProc(StoreOf(dialog), MSG_INITDIALOG, wparam, lparam);
      CentreOnScreen(dialog);
      return result;
    }
    case WM_CLOSE:
    case WM_COMMAND:
      return MainDialogProc(StoreOf(dialog), message, wparam, lparam);
    case WM_NCDESTROY:
      ForgetStore(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}
