// The UI robot: drives the running program through its window as a person
// would, following a script on standard input, one step a line: a verb and
// its words, a word with spaces or backslashes in 'single quotes'. It stops
// at the first step that fails, says what it saw instead, and exits with 1.

#include <cstdio>
#include <iostream>
#include <map>
#include <regex>

#include "resource.h"
#include "window.h"

namespace {

using Words = std::vector<std::wstring>;

std::wstring Wide(const std::string& text) {
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, text.data(), text.size(), nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), text.size(), wide.data(), wide.size());
  return wide;
}

// Texts as a failure report shows them: quoted, in UTF-8, line breaks as \n.
std::string Quote(const Words& texts) {
  std::wstring shown;
  for (const std::wstring& text : texts)
    shown += (shown.empty() ? L"\"" : L", \"") + std::regex_replace(text, std::wregex(L"\n"), L"\\n") + L"\"";
  std::string narrow(WideCharToMultiByte(CP_UTF8, 0, shown.data(), shown.size(), nullptr, 0, nullptr, nullptr), 0);
  WideCharToMultiByte(CP_UTF8, 0, shown.data(), shown.size(), narrow.data(), narrow.size(), nullptr, nullptr);
  return "[" + narrow + "]";
}

// A press may open a modal window or start a long task: the robot does not
// wait for the handler to return, the next step waits instead.
std::string Press(HWND button) {
  if (!WaitFor([&] { return IsWindowEnabled(button) != 0; })) return "button " + Quote({TextOf(button)}) + " is disabled";
  Send(button, BM_CLICK, 0, 0, nullptr, 300);
  return {};
}

// expect ROLE TEXT...: the control shows these texts (a list, its entries).
std::string Expect(const Words& words) {
  HWND control = Control(words[0]);
  if (!control) return "no control " + Quote({words[0]});
  Words wanted(words.begin() + 1, words.end()), shown;
  if (WaitFor([&] { return (shown = Shown(control)) == wanted; })) return {};
  return Quote({words[0]}) + " shows " + Quote(shown) + ", expected " + Quote(wanted);
}

// select LABEL...: opens the tree along the labels, from a drive down, and
// selects the last one. The program fills a node when it is selected.
std::string Select(const Words& labels) {
  HWND tree = Control(L"tree");
  if (!tree) return "no tree";
  HTREEITEM node = nullptr;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    HTREEITEM parent = node;
    if (!WaitFor([&] { return (node = Node(tree, parent, labels[i])) != nullptr; }))
      return "no node " + Quote({labels[i]});
    auto item = reinterpret_cast<LPARAM>(node);
    bool last = i + 1 == labels.size(), answered = true;
    if (last || !Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, item)) {
      Send(tree, TVM_ENSUREVISIBLE, 0, item);
      Send(tree, TVM_SELECTITEM, TVGN_CARET, item, &answered);
    }
    if (!answered) return "the program did not answer the selection of " + Quote({labels[i]});
    if (!last) Send(tree, TVM_EXPAND, TVE_EXPAND, item);
  }
  return {};
}

// click LABEL: a button of the window; it must be enabled.
std::string Click(const Words& words) {
  HWND main = MainWindow(true);
  HWND button = main ? Button(main, words[0]) : nullptr;
  return button ? Press(button) : "no button " + Quote({words[0]});
}

// type FIELD TEXT: selects the field's text, erases it and types the text key by key.
std::string Type(const Words& words) {
  HWND field = Control(words[0]);
  if (!field) return "no field " + Quote({words[0]});
  bool ok = false;
  Send(field, EM_SETSEL, 0, -1, &ok);
  Send(field, WM_CHAR, VK_BACK, 1, &ok);
  for (wchar_t key : words[1]) Send(field, WM_CHAR, key, 1, &ok);
  return ok ? "" : "the program did not take the keys";
}

// message-ok CAPTION PATTERN: a message box with the caption and a whole text
// matching the regular expression; presses its OK.
std::string MessageOk(const Words& words) {
  HWND main = MainWindow(true), box = nullptr;
  if (!main || !WaitFor([&] { return (box = MessageBoxOver(main)) != nullptr; })) return "no message box";
  std::wregex pattern(words[1]);
  Words shown;
  if (!WaitFor([&] {
        shown = {TextOf(box), MessageText(box)};
        return shown[0] == words[0] && std::regex_match(shown[1], pattern);
      }))
    return "the message box shows " + Quote(shown) + ", expected " + Quote(words);
  HWND ok = GetDlgItem(box, IDOK);
  return ok && IsWindowVisible(ok) ? Press(ok) : "the message box has no OK";
}

std::string Gone(const Words&) {
  return WaitFor([] { return MainWindow(false) == nullptr; }) ? "" : "the window is still on screen";
}

// alive SECONDS: follows the run a click has started, probing the window every
// 250 ms as the system does (IsHungAppWindow, then WM_NULL with 1 s to
// answer), until the window answers without its progress bar, shows a
// message box or is gone. Prints the count; fails on any probe hung or
// unanswered, and on a run shorter than SECONDS, which would prove nothing.
std::string Alive(const Words& words) {
  HWND main = MainWindow(true);
  if (!main) return "no window";
  HWND progress = GetDlgItem(main, IDC_PROGRESS);
  int probes = 0, hung = 0, unanswered = 0;
  DWORD start = GetTickCount();
  for (;; Sleep(250)) {
    if (!IsWindow(main) || MessageBoxOver(main)) break;
    ++probes;
    hung += IsHungAppWindow(main) != 0;
    DWORD_PTR result = 0;
    bool answered = SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
    // A probe the program's end cut short is no failure.
    if (!IsWindow(main) || (answered && !IsWindowVisible(progress))) break;
    if (answered) continue;
    ++unanswered;
    printf("alive: no answer at %.1f s\n", (GetTickCount() - start) / 1000.0);
  }
  double seconds = (GetTickCount() - start) / 1000.0;
  printf("alive: %d probes over %.1f s: %d hung, %d unanswered\n", probes, seconds, hung, unanswered);
  if (hung || unanswered) return "the window did not stay alive";
  return seconds >= std::stod(words[0]) ? "" : "the run was too short to prove the window stays alive";
}

// rect: prints the window's place on screen: x y width height.
std::string Rect(const Words&) {
  RECT rect = {};
  if (!GetWindowRect(MainWindow(true), &rect)) return "no window";
  printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  return {};
}

// Milliseconds since the robot started.
double Milliseconds() {
  static const LONGLONG start = [] {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
  }();
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// clock: prints the milliseconds since the robot started; the steps
// between two clocks are what a person waits for.
std::string Clock(const Words&) {
  printf("clock %.1f\n", Milliseconds());
  return {};
}

void WalkFolder(const std::wstring& folder, long& songs) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      WalkFolder(folder + L"\\" + name, songs);
      continue;
    }
    std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos || name.size() - dot != 4) continue;
    for (const wchar_t* song : {L"mp3", L"wma", L"m4p", L"vqf", L"ape", L"wav"})
      if (_wcsicmp(name.c_str() + dot + 1, song) == 0) ++songs;
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// walk FOLDER: the least a scan of FOLDER can do, for a rebuild to be
// measured against: every folder listed (FindFirstFileExW) and the songs
// counted; prints the count and the milliseconds it took.
std::string Walk(const Words& words) {
  double start = Milliseconds();
  long songs = 0;
  WalkFolder(words[0], songs);
  printf("walk %ld songs %.1f\n", songs, Milliseconds() - start);
  return {};
}

struct Verb {
  std::string (*run)(const Words&);
  std::size_t words;
};

const std::map<std::wstring, Verb> VERBS = {
    {L"expect", {Expect, 1}},        {L"select", {Select, 1}}, {L"click", {Click, 1}},    {L"type", {Type, 2}},
    {L"message-ok", {MessageOk, 2}}, {L"gone", {Gone, 0}},     {L"rect", {Rect, 0}},
    {L"alive", {Alive, 1}},          {L"clock", {Clock, 0}},   {L"walk", {Walk, 1}},
};

}  // namespace

int main() {
  // What it printed is not lost when the harness ends it.
  setvbuf(stdout, nullptr, _IONBF, 0);
  Milliseconds();  // counted from here
  const std::regex word("'([^']*)'|[^\\s']+");
  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    Words words;
    for (std::sregex_iterator at(line.begin(), line.end(), word), end; at != end; ++at)
      words.push_back(Wide((*at)[1].matched ? (*at)[1].str() : at->str()));
    if (words.empty()) continue;
    auto verb = VERBS.find(words[0]);
    words.erase(words.begin());
    std::string failure = verb == VERBS.end()              ? "unknown verb"
                          : words.size() < verb->second.words ? "too few words"
                                                              : verb->second.run(words);
    if (failure.empty()) continue;
    printf("robot: line %d: %s\nrobot: %s\n", number, line.c_str(), failure.c_str());
    return 1;
  }
  return 0;
}
