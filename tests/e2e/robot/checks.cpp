#include "checks.h"

#include <windows.h>
#include <commctrl.h>

#include <regex>

#include "dialogs.h"
#include "text.h"
#include "tree.h"
#include "window.h"

namespace {

std::string Join(const std::vector<std::wstring>& texts) {
  std::string joined = "[";
  for (std::size_t i = 0; i < texts.size(); ++i) joined += (i ? ", " : "") + Quote(texts[i]);
  return joined + "]";
}

// Waits until the named control's text passes the test; the failure names
// what the control showed last.
std::string ExpectFieldText(const std::wstring& name, const std::function<bool(const std::wstring&)>& test,
                            const std::wstring& wanted) {
  HWND main = WaitForMainWindow();
  HWND field = main ? ControlByName(main, name) : nullptr;
  if (!field) return "no field " + Quote(name);
  std::wstring shown;
  if (WaitFor([&] { return test(shown = TextOf(field)); })) return {};
  return Quote(name) + " shows " + Quote(shown) + ", expected " + Quote(wanted);
}

// Waits for a message box with the caption whose text passes the test.
std::string ExpectMessageText(const std::wstring& caption, const std::function<bool(const std::wstring&)>& test,
                              const std::wstring& wanted) {
  HWND main = MainWindow();
  if (!main) return "the program's window is not on screen";
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = OwnedDialog(main)) != nullptr; })) return "no message box";
  std::wstring shown_caption, text;
  bool same = WaitFor([&] {
    shown_caption = TextOf(box);
    text = MessageText(box);
    return shown_caption == caption && test(text);
  });
  if (same) return {};
  return "message box " + Quote(shown_caption) + ": " + Quote(text) + ", expected " + Quote(caption) + ": " +
         Quote(wanted);
}

// The node reached along the labels, each one opened as a person opens it to
// look inside; null (with the reason) when a label is not shown.
void DescribeTree(HWND tree, HTREEITEM parent, const std::string& indent, std::string& out) {
  for (const std::wstring& label : NodeLabels(tree, parent)) {
    out += indent + ToUtf8(label) + "\n";
    HTREEITEM node = NodeByLabel(tree, parent, label);
    if (Send(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) & TVIS_EXPANDED)
      DescribeTree(tree, node, indent + "  ", out);
  }
}

}  // namespace

std::string ExpectText(const Words& args) {
  return ExpectFieldText(args[0], [&](const std::wstring& shown) { return shown == args[1]; }, args[1]);
}

std::string ExpectList(const Words& args) {
  HWND main = WaitForMainWindow();
  HWND list = main ? ControlByName(main, args[0]) : nullptr;
  if (!list) return "no list " + Quote(args[0]);
  std::vector<std::wstring> wanted(args.begin() + 1, args.end());
  std::vector<std::wstring> shown;
  if (WaitFor([&] { return (shown = ListEntries(list)) == wanted; })) return {};
  return Quote(args[0]) + " shows " + Join(shown) + ", expected " + Join(wanted);
}

std::string ExpectMessageMatch(const Words& args) {
  std::wregex pattern(args[1]);
  return ExpectMessageText(
      args[0], [&](const std::wstring& text) { return std::regex_match(text, pattern); }, args[1]);
}

std::string DescribeScreen() {
  HWND main = MainWindow();
  if (!main) return "(the program's window is not on screen)\n";
  std::string out;
  for (HWND child : Children(main)) {
    if (!IsWindowVisible(child)) continue;
    std::wstring kind = ClassOf(child);
    std::string state = IsWindowEnabled(child) ? "" : " (disabled)";
    if (kind == L"ListBox") out += "list " + Join(ListEntries(child)) + "\n";
    else if (kind == L"SysTreeView32") DescribeTree(child, nullptr, "tree: ", out);
    else out += ToUtf8(kind) + " " + Quote(TextOf(child)) + state + "\n";
  }
  if (HWND dialog = OwnedDialog(main))
    out += "over it: " + Quote(TextOf(dialog)) + ": " + Quote(MessageText(dialog)) + "\n";
  return out;
}
