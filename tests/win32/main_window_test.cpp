// The real dialog from the program's template: every control in it, the
// dialog as a realisation of the store, and the dialog run by the program's
// own dialog procedure on real files, where events reach the program through
// Win32 messages and the wide functions reach names of every script,
// whatever the ANSI code page.
#include <map>
#include <set>

#include "dialog_fixture.h"
#include "store/controls.h"
#include "store_harness.h"
#include "ui/win32/main_window.h"
#include "ui/win32/win32_store.h"

// Every control the program addresses is there once, of its kind and visibility.
TEST(Template, EveryAddressedControlIsThereOnceOfItsKind) {
  // The window class of each ControlKind, in the order of its values.
  const char* const classOf[] = {"ListBox", "ListBox", "Edit", "Static", "Button", "Button", "SysTreeView32",
                                 "msctls_progress32"};
  HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                   [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
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
  DestroyWindow(dialog);
}

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

// The dialog as the user meets it, every button enabled and both radio
// groups at their start-up choice: from the tree, where it starts, Tab
// visits every tab stop of the template in its order, the arrows move and
// check within a radio group.
TEST(Keyboard, TheKeyboardReachesEveryControlInTheTemplatesOrder) {
  HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                   [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG; }, 0);
  for (const ControlInfo* c = kControls; c != kControls + kControlCount; ++c) {
    if (c->kind == ControlKind::PushButton) EnableWindow(GetDlgItem(dialog, c->id), TRUE);
  }
  for (int id : {IDC_REPEAT_FORBIDDEN, IDC_CLEAR_BEFORE}) CheckDlgButton(dialog, id, BST_CHECKED);
  const std::pair<UINT, int> steps[] = {
      {VK_TAB, IDC_INCLUDED_LIST}, {VK_TAB, IDC_EXCLUDED_LIST}, {VK_TAB, IDC_PLAYER_PATH},
      {VK_TAB, IDC_MAX_SONGS}, {VK_TAB, IDC_REPEAT_FORBIDDEN}, {VK_DOWN, IDC_REPEAT_ALLOWED},
      {VK_TAB, IDC_CLEAR_BEFORE}, {VK_DOWN, IDC_KEEP_EXISTING}, {VK_TAB, IDC_ADD_INCLUDED},
      {VK_TAB, IDC_REMOVE_INCLUDED}, {VK_TAB, IDC_CHOOSE_PLAYER}, {VK_TAB, IDC_ADD_EXCLUDED},
      {VK_TAB, IDC_REMOVE_EXCLUDED}, {VK_TAB, IDC_FINISH}, {VK_TAB, IDC_OPEN_PLAYLIST},
      {VK_TAB, IDC_SAVE}, {VK_TAB, IDC_SAVE_AS}, {VK_TAB, IDC_SHUFFLE_COPY},
      {VK_TAB, IDC_FOLDER_TREE}, {0, IDC_SHUFFLE_COPY}};  // 0: Shift+Tab
  EXPECT_EQ(Focused(dialog), IDC_FOLDER_TREE);
  for (auto [key, id] : steps) {
    SCOPED_TRACE(std::string(key == VK_DOWN ? "Down to " : "Tab to ") + FindControl(id)->name);
    Key(dialog, key ? key : VK_TAB, key == 0);
    EXPECT_EQ(Focused(dialog), id);
  }
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_REPEAT_ALLOWED));
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_KEEP_EXISTING));
  DestroyWindow(dialog);
}

}  // namespace

class MainWindowTest : public DialogTest {
 protected:
  MainWindowTest() : dialog(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                               MainDialogProc, reinterpret_cast<LPARAM>(&shell))), view(dialog) {}
  ~MainWindowTest() override { DestroyWindow(dialog); }
  void Press(int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
  // Selects the child of parent (a root for 0) shown with this text, as a click would.
  LPARAM Select(LPARAM parent, const std::string& text) {
    HWND tree = GetDlgItem(dialog, IDC_FOLDER_TREE);
    LPARAM item = SendMessageW(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, parent);
    while (item && view.NodeText(static_cast<TreeNode>(item), PATH_BUFFER) != text) {
      item = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
    }
    if (item) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, item);
    return item;
  }

  HWND dialog;
  Win32Store view;  // a second view of the same controls
};

// The player is the fixed drive C:, so clearing it is asked first: No
// leaves everything as it was, Yes clears its root and copies.
TEST_F(MainWindowTest, EveryNameIsShownCataloguedCopiedLoggedAndSaved) {
  std::set<std::string> songs{"Caffè", "Über", "Niño", "Пётр", "Łódź", "東京", "🎵", "Canto"};
  for (const std::string& song : songs) {
    temp.Write("C\\Musica\\" + (song == "Canto" ? "Μουσική\\" + song : song) + ".mp3", song);
  }
  LPARAM library = Select(Select(0, "C:\\ DISCO FISSO"), "Musica");
  ASSERT_TRUE(Select(library, "Μουσική"));
  Press(IDC_ADD_INCLUDED);
  Select(Select(0, "C:\\ DISCO FISSO"), "Musica");
  Press(IDC_ADD_INCLUDED);
  EXPECT_EQ(view.ReadText(IDC_SONG_COUNT, 16), "9");  // Canto twice
  shell.files = {List("scelta.lis"), List("scelta.lis")};
  Press(IDC_SAVE_AS);
  EXPECT_EQ(temp.Read("C\\liste\\scelta.lis"), "\xEF\xBB\xBF*C:\\Musica\r\n*C:\\Musica\\Μουσική\r\n");
  view.ClearList(IDC_INCLUDED_LIST);
  Press(IDC_OPEN_PLAYLIST);
  EXPECT_EQ(view.ReadText(IDC_SONG_COUNT, 16), "9");  // both folders back
  SendDlgItemMessageW(dialog, IDC_INCLUDED_LIST, LB_SETCURSEL, 1, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_INCLUDED_LIST, LBN_SELCHANGE), 0);
  Press(IDC_REMOVE_INCLUDED);
  EXPECT_EQ(view.ReadText(IDC_SONG_COUNT, 16), "8");
  temp.Write("C\\vecchio.mp3", "old");
  view.SetText(IDC_PLAYER_PATH, "C:");
  for (int answer : {ANSWER_NO, ANSWER_YES}) {
    shell.answers = {answer};
    Press(IDC_SHUFFLE_COPY);
    EXPECT_EQ(Messages(), kWarning + std::string("L'unità C: non è un disco rimovibile.\nCancellare comunque i file "
                                                 "musicali della sua cartella principale?|52"));
    EXPECT_EQ(fs::exists(temp.Native("C\\vecchio.mp3")), answer == ANSWER_NO);
    EXPECT_EQ(fs::exists(temp.Native("C\\lavoro\\Playlist.txt")), answer == ANSWER_YES);
    EXPECT_EQ(shell.ended, answer == ANSWER_YES);
  }
  std::set<std::string> copied;
  for (const auto& file : fs::directory_iterator(temp.Native("C"))) {
    if (file.path().extension() == ".mp3") copied.insert(file.path().stem().u8string());
  }
  EXPECT_EQ(copied, songs);
  std::string log = temp.Read("C\\lavoro\\Playlist.txt");
  EXPECT_EQ(log.substr(0, 3), "\xEF\xBB\xBF");
  for (const std::string& song : songs) EXPECT_NE(log.find(" " + song + "\r\n"), std::string::npos) << song;
}

// With the keyboard alone, from the default button where the focus starts:
// a folder of the tree selected with the arrows and opened with +, added
// with Space on its button (which the add disables, leaving no focus: Tab
// goes on from the tree), the count typed.
TEST_F(MainWindowTest, AFolderIsChosenAddedAndCountedByTheKeyboardAlone) {
  for (const char* song : {"C\\lib\\uno.mp3", "C\\lib\\due.mp3", "C\\lib\\tre.mp3"}) temp.Write(song, "x");
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

// Escape and the close box during a scan or a copy reach the program
// through the dialog kept alive: it asks, Yes stops, No goes on.
TEST_F(MainWindowTest, EscapeAndTheCloseBoxAskDuringTheScanAndTheCopy) {
  const std::tuple<const char*, bool, UINT, int> rows[] = {
      {"scan, Escape, Yes", false, WM_KEYDOWN, ANSWER_YES}, {"scan, close box, No", false, WM_CLOSE, ANSWER_NO},
      {"copy, close box, Yes", true, WM_CLOSE, ANSWER_YES}, {"copy, Escape, No", true, WM_KEYDOWN, ANSWER_NO}};
  for (const char* song : {"A\\a", "B\\b", "C\\c"}) temp.Write(std::string("C\\lib\\") + song + ".mp3", song + 2);
  for (const auto& [what, copy, key, answer] : rows) {
    SCOPED_TRACE(what);
    fs::remove_all(temp.Native("E"));
    fs::create_directories(temp.Native("E"));
    HWND run = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc,
                                  reinterpret_cast<LPARAM>(&shell));
    Win32Store store(run);
    auto press = [&](int id) { SendDlgItemMessageW(run, id, BM_CLICK, 0, 0); };
    auto scan = [&] {
      store.AddEntry(IDC_SELECTED_FOLDER, "C:\\lib");
      EnableWindow(GetDlgItem(run, IDC_ADD_INCLUDED), TRUE);
      press(IDC_ADD_INCLUDED);
    };
    if (copy) scan();
    Sleep(60);  // the dialog was kept alive just now
    PostMessageW(run, key, key == WM_KEYDOWN ? VK_ESCAPE : 0, 0);
    shell.answers = {answer};
    copy ? press(IDC_SHUFFLE_COPY) : scan();
    std::string question = copy ? "Interrompere la copia?\nI brani già copiati restano nel lettore."
                                : "Interrompere la ricerca dei brani?";
    std::string closing = copy && answer == ANSWER_YES
                              ? std::string("+") + kWarning + "Copiati 0 brani su 3 richiesti: copia interrotta.|48" : "";
    EXPECT_EQ(Messages(), kWarning + question + "|36" + closing);
    EXPECT_TRUE(IsWindow(run));  // the program, not the close box, ends the dialog
    EXPECT_EQ(store.ReadText(IDC_SONG_COUNT, 8), answer == ANSWER_YES && !copy ? "0" : "3");
    if (!copy) EXPECT_EQ(store.ReadText(IDC_STATUS_LINE, 64) == "Ricerca dei brani interrotta", answer == ANSWER_YES);
    if (copy) EXPECT_EQ(Files().size(), answer == ANSWER_YES ? 0u : 3u);
    std::string log = temp.Read("C\\lavoro\\Playlist.txt");
    if (copy) EXPECT_NE(log.find(answer == ANSWER_YES ? "\r\n   - copia interrotta\r\n\r\nFinito" : "\r\n   3 "), std::string::npos);
    DestroyWindow(run);
  }
}
