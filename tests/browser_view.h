// The folder tree as a person sees and uses it: node texts, images, and
// finding a node by the texts on the way to it.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "app/table_store.h"

inline std::vector<std::string> NodeTexts(TableStore& dlg, TreeNode parent) {
  std::vector<std::string> texts;
  for (TreeNode node : dlg.NodeChildren(parent)) texts.push_back(dlg.NodeText(node, 4096));
  return texts;
}

// The node reached through these texts from the top; 0 when one is missing.
inline TreeNode NodeAt(TableStore& dlg, std::initializer_list<std::string> texts) {
  TreeNode node = 0;
  for (const std::string& text : texts) {
    TreeNode found = 0;
    for (TreeNode child : dlg.NodeChildren(node)) {
      if (dlg.NodeText(child, 4096) == text) found = child;
    }
    if (!found) return 0;
    node = found;
  }
  return node;
}
