// The folder browser: the tree of drives and folders (IDC_FOLDER_TREE),
// grown one folder level at a time where the user looks.
#pragma once

#include <string>

#include "store/state_store.h"

// Gives the tree its images and its drive roots. Returns 0.
int SetUpDriveTree(StateStore& dlg);
// One root node per fixed, removable and CD-ROM drive from C: to Z:, in
// letter order. Returns 0.
int FillDriveTree(StateStore& dlg);

// A new selection in the tree: its path becomes the selected folder
// (IDC_SELECTED_FOLDER), the add buttons are enabled, and a node without
// children is given its subfolders.
void HandleTreeSelection(StateStore& dlg, TreeNode node);
// The node's folder path: "C:" for a root, "C:\Musica\Rock" for a folder,
// never with a trailing backslash. Returns 1.
int BuildNodePath(StateStore& dlg, TreeNode node, std::string& path);
// Nonzero when the node already has a child node.
int NodeHasChildren(StateStore& dlg, TreeNode node);
// Adds beneath parent a node for each visible subfolder of folder, sorted.
// A folder that cannot be listed adds nothing and says nothing. Returns 0.
int FillSubfolders(StateStore& dlg, const std::string& folder, TreeNode parent);
