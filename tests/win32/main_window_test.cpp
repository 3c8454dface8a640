// The real dialog from the program's template: every control in it, the
// dialog as a realisation of the store and as the window the program runs
// in, where events reach the program through Win32 messages.
#include <map>

#include "dialog_fixture.h"
#include "store/controls.h"
#include "store_harness.h"
#include "ui/win32/main_window.h"
#include "ui/win32/win32_store.h"

namespace {

// A key pressed and released as the dialog's message loop hands it on: to
// the dialog manager first, else to the control with the focus.
void Key(HWND dialog, UINT key, bool shift = false) {
  BYTE keys[256] = {};
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
    // With no control focused, keys go to the dialog itself.
    MSG msg{GetFocus() ? GetFocus() : dialog, message, key, message == WM_KEYUP ? 0xC0000001 : 1, 0, {}};
    if (!IsDialogMessageW(dialog, &msg)) DispatchMessageW(&msg);
  }
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

// Characters typed into the control with the focus.
void Type(HWND dialog, const std::string& characters) {
  for (char c : characters) {
    MSG msg{GetFocus() ? GetFocus() : dialog, WM_CHAR, static_cast<unsigned char>(c), 1, 0, {}};
    if (!IsDialogMessageW(dialog, &msg)) DispatchMessageW(&msg);
  }
}

int Focused(HWND dialog) { return GetParent(GetFocus()) == dialog ? GetDlgCtrlID(GetFocus()) : 0; }

// Tab until the control has the focus; false when Tab never reaches it.
bool TabTo(HWND dialog, int id) {
  for (int i = 0; i < 40 && Focused(dialog) != id; ++i) Key(dialog, VK_TAB);
  return Focused(dialog) == id;
}

// The dialog from the template, run by the program's dialog procedure or,
// with the recorder's events, by one that records every command.
class DialogHarness : public WindowHarness {
 public:
  explicit DialogHarness(const DialogEvents& events = kEvents, Shell* answers = nullptr)
      : dialog_(&events == &kEvents
                    ? CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, &Proc, 0)
                    : CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                         MainDialogProc, reinterpret_cast<LPARAM>(answers))),
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
  std::string ProgressBar(int id) override {
    HWND bar = GetDlgItem(dialog_, id);
    LONG style = GetWindowLongA(bar, GWL_STYLE);
    if (!(style & WS_VISIBLE)) return "";
    if (style & PBS_MARQUEE) return "busy";
    return std::to_string(SendMessageA(bar, PBM_GETPOS, 0, 0)) + "/" +
           std::to_string(SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
  }
  // What a click on the entry does: the list selects it and, when it notifies, tells the dialog.
  void SelectEntry(int id, int index) override {
    HWND list = GetDlgItem(dialog_, id);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (GetWindowLongA(list, GWL_STYLE) & LBS_NOTIFY) {
      SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
  }
  void Key(char key) override { ::Key(dialog_, key == 'D' ? VK_DOWN : VK_TAB, key == 'B'); }
  void KeyLater(char key) override {
    Sleep(60);  // the dialog was kept alive just now
    PostMessageW(dialog_, key == 'X' ? WM_CLOSE : WM_KEYDOWN, key == 'X' ? 0 : VK_ESCAPE, 0);
  }
  int Focused() override { return ::Focused(dialog_); }
  bool Alive() override { return IsWindow(dialog_); }
  HWND Handle() { return dialog_; }

 private:
  static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_COMMAND) Received(LOWORD(wparam), HIWORD(wparam));
    return message == WM_INITDIALOG;
  }

  HWND dialog_;
  Win32Store store_;
};

const bool registered = [] {
  Realisations().push_back({"Win32Dialog", [] { return std::unique_ptr<StoreHarness>(new DialogHarness()); },
                            [](const DialogEvents& events, Shell* answers) {
                              return std::unique_ptr<WindowHarness>(new DialogHarness(events, answers));
                            }});
  return true;
}();

}  // namespace

using MainWindowTest = DialogTest;

// Every control the program addresses is there once, of its kind and visibility.
TEST(Template, EveryAddressedControlIsThereOnceOfItsKind) {
  // The window class of each ControlKind, in the order of its values.
  const char* const classOf[] = {"ListBox", "ListBox", "Edit", "Static", "Button", "Button", "SysTreeView32",
                                 "msctls_progress32"};
  DialogHarness window;
  HWND dialog = window.Handle();
  std::map<int, int> seen;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const ControlInfo* info = FindControl(GetDlgCtrlID(child));
    ++seen[GetDlgCtrlID(child)];
    ASSERT_TRUE(info || GetDlgCtrlID(child) == IDC_LABEL) << GetDlgCtrlID(child);  // anything else is a label
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (info) EXPECT_STREQ(name, classOf[static_cast<int>(info->kind)]) << info->name;
    // The progress bar shows only during a run.
    bool shown = info && info->visible && info->kind != ControlKind::Progress;
    if (info) EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0, shown) << info->name;
  }
  for (std::size_t i = 0; i < kControlCount; ++i) EXPECT_EQ(seen[kControls[i].id], 1) << kControls[i].name;
  EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDC_FINISH);  // Enter means "Fine lavoro"
}

// With the keyboard alone, from the default button where the focus starts:
// a folder of the tree selected with the arrows and opened with +, added
// with Space on its button (which the add disables, leaving no focus: Tab
// goes on from the tree), the count typed.
TEST_F(MainWindowTest, AFolderIsChosenAddedAndCountedByTheKeyboardAlone) {
  for (const char* song : {"C\\lib\\uno.mp3", "C\\lib\\due.mp3", "C\\lib\\tre.mp3"}) temp.Write(song, "x");
  DialogHarness window(MainDialogEvents(), &shell);
  HWND dialog = window.Handle();
  StateStore& view = window.store();
  auto first = [&](int id) {
    std::string entry;
    view.ReadEntry(id, 0, entry);
    return entry;
  };
  EXPECT_EQ(Focused(dialog), IDC_FINISH);  // the tree would select C: on taking the focus
  EXPECT_EQ(view.CountEntries(IDC_SELECTED_FOLDER), 0);
  ASSERT_TRUE(TabTo(dialog, IDC_FOLDER_TREE));
  for (UINT key : {VK_HOME, VK_ADD, VK_DOWN, VK_DOWN}) Key(dialog, key);  // C:, open, lavoro, lib
  EXPECT_EQ(first(IDC_SELECTED_FOLDER), "C:\\lib");
  ASSERT_TRUE(TabTo(dialog, IDC_ADD_INCLUDED));
  Key(dialog, VK_SPACE);
  EXPECT_EQ(first(IDC_INCLUDED_LIST), "C:\\lib");
  EXPECT_EQ(view.ReadText(IDC_MAX_SONGS, 8), "3");
  ASSERT_TRUE(TabTo(dialog, IDC_MAX_SONGS));
  Key(dialog, VK_END);
  Type(dialog, "\b2x");
  EXPECT_EQ(view.ReadText(IDC_MAX_SONGS, 8), "2");
}
