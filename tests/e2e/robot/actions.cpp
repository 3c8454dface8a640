#include "actions.h"

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "dialogs.h"
#include "text.h"
#include "tree.h"
#include "window.h"

namespace {

// A button press may open a modal window or start a long task: the robot
// does not wait for the handler to return, the next look waits instead.
constexpr DWORD PRESS_MS = 300;

std::string NoWindow() { return "the program's window is not on screen"; }

// Waits for the child node with the label to be shown.
HTREEITEM ReachNode(HWND tree, HTREEITEM parent, const std::wstring& label) {
  HTREEITEM node = nullptr;
  WaitFor([&] { return (node = NodeByLabel(tree, parent, label)) != nullptr; });
  return node;
}

std::string PressButton(HWND button) {
  if (!WaitFor([&] { return IsWindowEnabled(button) != 0; }))
    return "button " + Quote(TextOf(button)) + " is disabled";
  Send(button, BM_CLICK, 0, 0, nullptr, PRESS_MS);
  return {};
}

HWND WaitForDialog(HWND main) {
  HWND dialog = nullptr;
  WaitFor([&] { return (dialog = OwnedDialog(main)) != nullptr; });
  return dialog;
}

}  // namespace

std::string WaitWindow(const Words&) { return WaitForMainWindow() ? "" : NoWindow(); }

std::string SelectFolder(const Words& args) {
  HWND main = WaitForMainWindow();
  HWND tree = main ? ControlByName(main, L"tree") : nullptr;
  if (!tree) return NoWindow();
  HTREEITEM parent = nullptr;
  for (std::size_t i = 0; i < args.size(); ++i) {
    HTREEITEM node = ReachNode(tree, parent, args[i]);
    if (!node) return "no node " + Quote(args[i]) + " in the tree";
    bool last = i + 1 == args.size();
    if ((last || !NodeHasChildren(tree, node)) && !SelectNode(tree, node))
      return "the program did not answer the selection of " + Quote(args[i]);
    if (!last) ExpandNode(tree, node);
    parent = node;
  }
  return {};
}

std::string ClickButton(const Words& args) {
  HWND main = WaitForMainWindow();
  if (!main) return NoWindow();
  HWND button = ButtonByLabel(main, args[0]);
  if (!button) return "no button " + Quote(args[0]);
  return PressButton(button);
}

std::string TypeInto(const Words& args) {
  HWND main = WaitForMainWindow();
  HWND field = main ? ControlByName(main, args[0]) : nullptr;
  if (!field) return "no field " + Quote(args[0]);
  bool ok = false;
  Send(field, EM_SETSEL, 0, -1, &ok);
  Send(field, WM_CHAR, VK_BACK, 1, &ok);
  for (wchar_t key : args[1]) Send(field, WM_CHAR, key, 1, &ok);
  return ok ? "" : "the program did not take the keys";
}

std::string AnswerMessage(const Words& args) {
  static const std::map<std::wstring, int> buttons = {
      {L"yes", IDYES}, {L"no", IDNO}, {L"cancel", IDCANCEL}, {L"ok", IDOK}};
  auto which = buttons.find(args[0]);
  if (which == buttons.end()) return "no answer " + Quote(args[0]);
  HWND main = MainWindow();
  HWND box = main ? WaitForDialog(main) : nullptr;
  if (!box) return "no message box";
  HWND button = GetDlgItem(box, which->second);
  if (!button || !IsWindowVisible(button)) return "the message box has no button " + Quote(args[0]);
  return PressButton(button);
}

std::string WaitGone(const Words&) {
  return WaitFor([] { return MainWindow() == nullptr; }) ? "" : "the window is still on screen";
}

std::string PrintRect(const Words&) {
  HWND main = WaitForMainWindow();
  if (!main) return NoWindow();
  RECT rect = {};
  GetWindowRect(main, &rect);
  printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  fflush(stdout);
  return {};
}
