// The folder tree, reached as a person reaches it: by the labels of its
// nodes, clicking a node to select it and its button to open it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// The labels of the children of a node (of the top level for null), in the
// order shown.
std::vector<std::wstring> NodeLabels(HWND tree, HTREEITEM parent);
// The child of a node (of the top level for null) with the label; null if none.
HTREEITEM NodeByLabel(HWND tree, HTREEITEM parent, const std::wstring& label);
bool NodeHasChildren(HWND tree, HTREEITEM node);
// Selects the node as a click on its label does (the program is told of the
// new selection); false when the program did not answer in time.
bool SelectNode(HWND tree, HTREEITEM node);
// Opens the node as a click on its button does; nothing when it has no children.
void ExpandNode(HWND tree, HTREEITEM node);
