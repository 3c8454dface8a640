// The UI robot: drives the running program through its window as a person
// would, following a script on standard input, one step a line: a verb and
// its words, a word with spaces or backslashes in 'single quotes'. It stops
// at the first step that fails, says what it saw instead, and exits with 1.
// A step that fails is tried again every 50 ms for 30 s (a fresh prefix
// under load may take that long to show the window), and every message goes
// through SendMessageTimeout, so a program that hangs fails the step instead
// of stopping the robot.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "resource.h"

namespace {

using Words = std::vector<std::wstring>;

// Sends a message, waiting at most timeout_ms for the program to handle it
// (0 if it did not): a program that hangs fails the step or the next one.
LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, DWORD timeout_ms = 10000) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, timeout_ms, &result);
  return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND window) {
  std::wstring text(Send(window, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
  text.resize(Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  return text;
}

// The first visible window of the class under the parent (the desktop for
// null) that passes the test; null if none.
HWND WindowWhere(HWND parent, const wchar_t* kind, const std::function<bool(HWND)>& test) {
  for (HWND window = nullptr; (window = FindWindowExW(parent, window, kind, nullptr));)
    if (IsWindowVisible(window) && test(window)) return window;
  return nullptr;
}

// The main window if it is on screen; null if not. With ROBOT_SECOND set,
// the window of the second program started, else of the first (Wine numbers
// processes in order).
HWND MainWindow() {
  std::map<DWORD, HWND> by_process;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, L"Mescola - riempi il lettore MP3"));) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    by_process[pid] = window;
  }
  std::size_t which = getenv("ROBOT_SECOND") ? 1 : 0;
  HWND main = by_process.size() > which ? std::next(by_process.begin(), which)->second : nullptr;
  return main && IsWindowVisible(main) ? main : nullptr;
}

// A control of the main window by its role; null if none.
HWND Control(const std::wstring& role) {
  static const std::map<std::wstring, int> ids = {
      {L"tree", IDC_FOLDER_TREE}, {L"selected", IDC_SELECTED_FOLDER}, {L"player", IDC_PLAYER_PATH},
      {L"songs", IDC_MAX_SONGS},  {L"catalogue", IDC_CATALOGUE_INFO}};
  HWND main = MainWindow();
  return main && ids.count(role) ? GetDlgItem(main, ids.at(role)) : nullptr;
}

HWND MessageBoxOver(HWND main) {
  return WindowWhere(nullptr, L"#32770", [&](HWND box) { return GetWindow(box, GW_OWNER) == main; });
}

// What a control shows: a list box its entries, any other control (which
// answers 0 to a list's question, as does an empty list) its text. A list
// that changes meanwhile may answer LB_ERR (-1): read as empty, the step that
// asked is tried again.
Words Shown(HWND control) {
  Words entries(std::max<LRESULT>(Send(control, LB_GETCOUNT, 0, 0), 0));
  if (entries.empty()) return {TextOf(control)};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i].resize(std::max<LRESULT>(Send(control, LB_GETTEXTLEN, i, 0), 0) + 1);
    entries[i].resize(std::max<LRESULT>(Send(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entries[i].data())), 0));
  }
  return entries;
}

// A tree item carries a pointer to its text, which the system does not carry
// across processes: the label is read through a block in the program's memory.
std::wstring NodeLabel(HWND tree, HTREEITEM node) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tree, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  wchar_t text[1024] = {};
  auto* block = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + sizeof text, MEM_COMMIT, PAGE_READWRITE));
  // The item asks for the text, into the block just after itself.
  TVITEMW item = {TVIF_TEXT, node, 0, 0, reinterpret_cast<LPWSTR>(block + sizeof(TVITEMW)), 1024, 0, 0, 0, 0};
  if (block && WriteProcessMemory(process, block, &item, sizeof item, nullptr) &&
      Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block)))
    ReadProcessMemory(process, item.pszText, text, sizeof text - sizeof *text, nullptr);
  VirtualFreeEx(process, block, 0, MEM_RELEASE);
  CloseHandle(process);
  return text;
}

// Texts as a failure report shows them: each one quoted, in UTF-8.
std::string Quote(const Words& texts) {
  std::wstring shown;
  for (const std::wstring& text : texts) shown += L" \"" + text + L"\"";
  std::string narrow(WideCharToMultiByte(CP_UTF8, 0, shown.data(), shown.size(), nullptr, 0, nullptr, nullptr), 0);
  WideCharToMultiByte(CP_UTF8, 0, shown.data(), shown.size(), narrow.data(), narrow.size(), nullptr, nullptr);
  return "[" + narrow + "]";
}

// click LABEL: an enabled button of the message box over the window if there
// is one, else of the window, its label read without the access key's '&'.
// A press may open a modal window or start a long task: the robot does not
// wait for the handler to return, the next step waits instead.
std::string Click(const Words& words) {
  HWND main = MainWindow(), box = main ? MessageBoxOver(main) : nullptr;
  HWND button = main ? WindowWhere(box ? box : main, L"Button", [&](HWND button) {
    std::wstring shown = TextOf(button);
    if (std::size_t amp = shown.find(L'&'); amp != std::wstring::npos) shown.erase(amp, 1);
    return shown == words[0];
  }) : nullptr;
  if (!button || !IsWindowEnabled(button)) return "no enabled button " + Quote({words[0]});
  Send(button, BM_CLICK, 0, 0, 300);
  return {};
}

// expect ROLE TEXT...: the control shows these texts (a list, its entries).
// expect message CAPTION PATTERN: a message box over the window with the
// caption and a whole text matching the regular expression.
std::string Expect(const Words& words) {
  HWND main = MainWindow(), box = main ? MessageBoxOver(main) : nullptr;
  Words wanted(words.begin() + 1, words.end()), shown = Shown(Control(words[0]));
  bool matches = shown == wanted;
  if (words[0] == L"message") {
    // The text is the one label of the box that shows any (its icon shows none).
    HWND text = box ? WindowWhere(box, L"Static", [](HWND label) { return !TextOf(label).empty(); }) : nullptr;
    shown = {box ? TextOf(box) : L"", text ? TextOf(text) : L""};
    matches = wanted.size() == 2 && shown[0] == wanted[0] && std::regex_match(shown[1], std::wregex(wanted[1]));
  }
  return matches ? "" : Quote({words[0]}) + " shows " + Quote(shown) + ", expected " + Quote(wanted);
}

// select LABEL...: selects the tree's nodes along the labels, from a drive
// down, opening all but the last. The program fills a node when it is selected.
std::string Select(const Words& labels) {
  HWND tree = Control(L"tree");
  auto next = [&](WPARAM which, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
  };
  HTREEITEM node = nullptr;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    node = next(node ? TVGN_CHILD : TVGN_ROOT, node);
    while (node && NodeLabel(tree, node) != labels[i]) node = next(TVGN_NEXT, node);
    if (!node) return "no node " + Quote({labels[i]});
    Send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
    if (i + 1 < labels.size()) Send(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
  }
  return {};
}

// type FIELD TEXT: selects the field's text, erases it with Backspace and
// types the text key by key.
std::string Type(const Words& words) {
  HWND field = Control(words[0]);
  Send(field, EM_SETSEL, 0, -1);
  for (wchar_t key : L'\b' + words[1]) Send(field, WM_CHAR, key, 1);
  return {};
}

// alive SECONDS: follows the run a click has started, probing the window every
// 250 ms as the system does (IsHungAppWindow, then WM_NULL with 1 s to
// answer), until the window answers without its progress bar, shows a
// message box or is gone. Prints the count; fails on any probe hung or
// unanswered, and on a run shorter than SECONDS, which would prove nothing.
std::string Alive(const Words& words) {
  HWND main = MainWindow(), progress = GetDlgItem(main, IDC_PROGRESS);
  int probes = 0, hung = 0, unanswered = 0;
  DWORD start = GetTickCount();
  for (DWORD_PTR result = 0; main && IsWindow(main) && !MessageBoxOver(main); Sleep(250)) {
    ++probes;
    hung += IsHungAppWindow(main) != 0;
    bool answered = SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
    // A probe the program's end cut short is no failure.
    if (!IsWindow(main) || (answered && !IsWindowVisible(progress))) break;
    unanswered += !answered;
    if (!answered) printf("alive: no answer at %.1f s\n", (GetTickCount() - start) / 1000.0);
  }
  double seconds = (GetTickCount() - start) / 1000.0;
  printf("alive: %d probes over %.1f s: %d hung, %d unanswered\n", probes, seconds, hung, unanswered);
  if (!main || hung || unanswered) return "the window did not stay alive";
  return seconds >= std::stod(words[0]) ? "" : "the run was too short to prove the window stays alive";
}

// clock: prints the system's clock in milliseconds; the steps between two
// clocks are what a person waits for.
std::string Clock(const Words&) {
  printf("clock %lu\n", GetTickCount());
  return {};
}

}  // namespace

int main() {
  // What it printed is not lost when the harness ends it.
  setvbuf(stdout, nullptr, _IONBF, 0);
  // Each verb with the least number of words it takes.
  const std::map<std::wstring, std::pair<std::string (*)(const Words&), std::size_t>> verbs = {
      {L"expect", {Expect, 1}}, {L"select", {Select, 1}}, {L"click", {Click, 1}},   {L"type", {Type, 2}},
      {L"alive", {Alive, 1}},   {L"clock", {Clock, 0}}};
  const std::wregex word(L"'([^']*)'|[^\\s']+");
  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    // The script is UTF-8; a line takes no more UTF-16 units than bytes.
    std::wstring wide(line.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, line.data(), line.size(), wide.data(), wide.size()));
    Words words;
    for (std::wsregex_iterator at(wide.begin(), wide.end(), word), end; at != end; ++at)
      words.push_back((*at)[1].matched ? (*at)[1].str() : at->str());
    if (words.empty()) continue;
    auto verb = verbs.find(words[0]);
    words.erase(words.begin());
    bool again = verb != verbs.end() && words.size() >= verb->second.second;
    std::string failure = again ? "" : "unknown verb, or too few words";
    for (DWORD start = GetTickCount(); again;) {
      failure = verb->second.first(words);
      // alive follows one whole run: it is not tried again.
      again = !failure.empty() && verb->first != L"alive" && GetTickCount() - start < 30000;
      if (again) Sleep(50);
    }
    if (failure.empty()) continue;
    printf("robot: line %d: %s\nrobot: %s\n", number, line.c_str(), failure.c_str());
    return 1;
  }
  return 0;
}
