// The real dialog from the program's template: every control in it, the
// dialog as a realisation of the store and as the window the program runs
// in, where events reach the program through Win32 messages.
#include <oleacc.h>

#include <map>

#include "dialog_fixture.h"
#include "platform/win32/wide.h"
#include "store/controls.h"
#include "store_harness.h"
#include "ui/win32/main_window.h"
#include "ui/win32/win32_store.h"

namespace {

// The dialog from the template, run by the program's dialog procedure or,
// with the recorder's events, by one that records every command.
class DialogHarness : public WindowHarness {
 public:
  explicit DialogHarness(const DialogEvents& events = kEvents, Shell* answers = nullptr)
      : dialog_(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                   &events == &kEvents ? &Proc : MainDialogProc, reinterpret_cast<LPARAM>(answers))),
        store_(dialog_) {}
  ~DialogHarness() override { DestroyWindow(dialog_); }
  StateStore& store() override { return store_; }
  // Keys typed at the end of the text, one WM_CHAR each: the edit control
  // itself refuses what its style and typing limit forbid.
  void Type(int id, const std::string& keys) override {
    auto end = static_cast<WPARAM>(GetWindowTextLengthW(GetDlgItem(dialog_, id)));
    SendDlgItemMessageA(dialog_, id, EM_SETSEL, end, static_cast<LPARAM>(end));
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
  // Pressed and released as the dialog's message loop hands a key on: to the
  // dialog manager first, else to the control with the focus (or, with none, the dialog).
  void Key(char key) override {
    const std::map<char, UINT> keys{{'T', VK_TAB}, {'B', VK_TAB}, {'D', VK_DOWN}, {'H', VK_HOME},
                                    {'+', VK_ADD}, {' ', VK_SPACE}};
    BYTE state[256] = {};
    state[VK_SHIFT] = key == 'B' ? 0x80 : 0;
    SetKeyboardState(state);
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
      MSG msg{GetFocus() ? GetFocus() : dialog_, message, keys.at(key), message == WM_KEYUP ? 0xC0000001 : 1, 0, {}};
      if (!IsDialogMessageW(dialog_, &msg)) DispatchMessageW(&msg);
    }
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
  }
  void KeyLater(char key) override {
    Sleep(60);  // the dialog was kept alive just now
    PostMessageW(dialog_, key == 'X' ? WM_CLOSE : WM_KEYDOWN, key == 'X' ? 0 : VK_ESCAPE, 0);
  }
  int Focused() override { return GetParent(GetFocus()) == dialog_ ? GetDlgCtrlID(GetFocus()) : 0; }
  bool Alive() override { return IsWindow(dialog_); }
  // What the system's accessibility layer tells a screen reader.
  std::string FocusedName() override {
    IAccessible* accessible = nullptr;
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF
    if (AccessibleObjectFromWindow(GetFocus(), OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&accessible)) != S_OK) return "?";
    accessible->get_accName(self, &name);
    accessible->Release();
    std::string text = name ? Narrow(name) : "";
    SysFreeString(name);
    return text;
  }

 private:
  static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_COMMAND && current) Command(current->store(), LOWORD(wparam), HIWORD(wparam));
    return message == WM_INITDIALOG;
  }

  HWND dialog_;
  Win32Store store_;
};

const bool registered = [] {
  Realisations().push_back({"Win32Dialog", [](const DialogEvents& events, Shell* answers) {
                              return std::unique_ptr<StoreHarness>(new DialogHarness(events, answers));
                            }, true});
  return true;
}();

}  // namespace

using MainWindowTest = DialogTest;

// With the keyboard alone, from the default button where the focus starts:
// a folder of the tree selected with the arrows and opened with +, added
// with Space on its button (which the add disables, leaving no focus: Tab
// goes on from the tree), the count typed.
TEST_F(MainWindowTest, AFolderIsChosenAddedAndCountedByTheKeyboardAlone) {
  for (const char* song : {"C\\lib\\uno.mp3", "C\\lib\\due.mp3", "C\\lib\\tre.mp3"}) temp.Write(song, "x");
  DialogHarness window(MainDialogEvents(), &shell);
  EXPECT_EQ(window.Focused(), IDC_FINISH);  // the tree would select C: on taking the focus
  EXPECT_EQ(window.store().CountEntries(IDC_SELECTED_FOLDER), 0);
  ASSERT_TRUE(window.TabTo(IDC_FOLDER_TREE));
  for (char key : std::string("H+DD")) window.Key(key);  // C:, open, lavoro, lib
  ASSERT_TRUE(window.TabTo(IDC_ADD_INCLUDED));
  window.Key(' ');
  ASSERT_TRUE(window.TabTo(IDC_MAX_SONGS));
  window.Type(IDC_MAX_SONGS, "\b2x");
  std::string included;
  window.store().ReadEntry(IDC_INCLUDED_LIST, 0, included);
  EXPECT_EQ(included + "|" + window.store().ReadText(IDC_MAX_SONGS, 8), "C:\\lib|2");
}
