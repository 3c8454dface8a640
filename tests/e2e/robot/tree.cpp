#include "tree.h"

#include "remote_buffer.h"
#include "window.h"

namespace {

std::wstring NodeLabel(HWND tree, HTREEITEM node) {
  constexpr int TEXT_CHARS = 1024;
  RemoteBuffer remote(tree, sizeof(TVITEMW) + TEXT_CHARS * sizeof(wchar_t));
  if (!remote.Valid()) return {};
  TVITEMW item = {};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = reinterpret_cast<LPWSTR>(remote.Address(sizeof(TVITEMW)));
  item.cchTextMax = TEXT_CHARS;
  wchar_t empty = 0;
  remote.Write(0, &item, sizeof item);
  remote.Write(sizeof(TVITEMW), &empty, sizeof empty);
  if (!Send(tree, TVM_GETITEMW, 0, remote.Address())) return {};
  std::wstring text(TEXT_CHARS, L'\0');
  remote.Read(sizeof(TVITEMW), text.data(), TEXT_CHARS * sizeof(wchar_t));
  text.resize(wcsnlen(text.c_str(), TEXT_CHARS));
  return text;
}

HTREEITEM FirstChild(HWND tree, HTREEITEM parent) {
  WPARAM which = parent ? TVGN_CHILD : TVGN_ROOT;
  return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(parent)));
}

HTREEITEM NextSibling(HWND tree, HTREEITEM node) {
  return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(node)));
}

}  // namespace

std::vector<std::wstring> NodeLabels(HWND tree, HTREEITEM parent) {
  std::vector<std::wstring> labels;
  for (HTREEITEM node = FirstChild(tree, parent); node; node = NextSibling(tree, node))
    labels.push_back(NodeLabel(tree, node));
  return labels;
}

HTREEITEM NodeByLabel(HWND tree, HTREEITEM parent, const std::wstring& label) {
  for (HTREEITEM node = FirstChild(tree, parent); node; node = NextSibling(tree, node))
    if (NodeLabel(tree, node) == label) return node;
  return nullptr;
}

bool NodeHasChildren(HWND tree, HTREEITEM node) { return FirstChild(tree, node) != nullptr; }

bool SelectNode(HWND tree, HTREEITEM node) {
  bool ok = false;
  Send(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
  Send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node), &ok);
  return ok;
}

void ExpandNode(HWND tree, HTREEITEM node) {
  Send(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
}
