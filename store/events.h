// The typed events that a window delivers to the program, and the
// notification codes (with their Win32 values) that commands carry.
#pragma once

#include "state_store.h"

constexpr int NOTIFY_BUTTON_CLICKED = 0;   // BN_CLICKED
constexpr int NOTIFY_LIST_SELCHANGE = 1;   // LBN_SELCHANGE
constexpr int NOTIFY_EDIT_CHANGE = 0x300;  // EN_CHANGE
constexpr int ID_CANCEL = 2;               // the Escape key's command

// The program's entry points, as the store realisations below the program
// reach them. Each returns 1 where it handled the event, else 0.
struct DialogEvents {
  // The window's first event, before it is shown.
  int (*start)(StateStore& dlg);
  // A control's command: its id and notification code.
  int (*command)(StateStore& dlg, int id, int code);
  // A notification from the tree other than a new selection.
  int (*notify)(StateStore& dlg);
  // A new selection in the tree, with the newly selected node's item data.
  int (*treeSelection)(StateStore& dlg, TreeNode data);
  // The close box.
  int (*close)(StateStore& dlg);
};
