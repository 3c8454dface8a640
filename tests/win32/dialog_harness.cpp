// The real main dialog as a store realisation: created modeless from the
// program's own template, with a person acting on it through the messages
// that mouse and keyboard would bring.
#include <windows.h>

#include "store_harness.h"
#include "ui/win32/win32_store.h"

namespace {

class DialogHarness : public StoreHarness {
 public:
  DialogHarness()
      : dialog_(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, &Proc, 0)),
        store_(dialog_) {}
  ~DialogHarness() override { DestroyWindow(dialog_); }
  StateStore& store() override { return store_; }
  // Keys typed at the end of the text, one WM_CHAR each: the edit control
  // itself refuses what its style and typing limit forbid.
  void Type(int id, const std::string& keys) override {
    SendDlgItemMessageA(dialog_, id, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    for (char key : keys) SendDlgItemMessageA(dialog_, id, WM_CHAR, static_cast<unsigned char>(key), 1);
  }
  // A disabled window receives no mouse input.
  void Click(int id) override {
    if (IsWindowEnabled(GetDlgItem(dialog_, id))) SendDlgItemMessageA(dialog_, id, BM_CLICK, 0, 0);
  }
  // What a click on the entry does: the list selects it and, when it notifies, tells the dialog.
  void SelectEntry(int id, int index) override {
    HWND list = GetDlgItem(dialog_, id);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (GetWindowLongA(list, GWL_STYLE) & LBS_NOTIFY) {
      SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
  }

 private:
  static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_COMMAND) Received(LOWORD(wparam), HIWORD(wparam));
    return message == WM_INITDIALOG;
  }

  HWND dialog_;
  Win32Store store_;
};

const bool registered = [] {
  Realisations().push_back({"Win32Dialog", [] { return std::unique_ptr<StoreHarness>(new DialogHarness()); }});
  return true;
}();

}  // namespace
