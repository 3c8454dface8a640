// The dialog procedure: the one place where user events enter the program.
#pragma once

#include <cstdint>

#include "state_store.h"

// Messages and notifications, with their Win32 values.
constexpr unsigned MSG_CLOSE = 0x10;
constexpr unsigned MSG_NOTIFY = 0x4E;
constexpr unsigned MSG_INITDIALOG = 0x110;
constexpr unsigned MSG_COMMAND = 0x111;
constexpr int NOTIFY_BUTTON_CLICKED = 0;      // BN_CLICKED
constexpr int NOTIFY_LIST_SELCHANGE = 1;      // LBN_SELCHANGE
constexpr int NOTIFY_EDIT_CHANGE = 0x300;     // EN_CHANGE
constexpr int NOTIFY_TREE_SELCHANGED = -402;  // TVN_SELCHANGEDA
constexpr int ID_CANCEL = 2;                  // the Escape key's command

// A command's wParam: the control id in the low word, the code in the high word.
constexpr std::uintptr_t CommandParam(int id, int code) {
  return (static_cast<std::uintptr_t>(static_cast<std::uint16_t>(code)) << 16) |
         static_cast<std::uint16_t>(id);
}

// What MSG_NOTIFY carries in lParam: the sending control, the code and, for
// a new selection in the tree, the item data of the newly selected node.
struct Notification {
  int from;
  int code;
  TreeNode node;
};

// Routes one event; returns 1 where the event is handled, else 0.
int MainDialogProc(StateStore& dlg, unsigned message, std::uintptr_t wparam, std::intptr_t lparam);

// Sets up the window's initial state (WM_INITDIALOG).
int InitMainDialog(StateStore& dlg);

// Closing the window and "Fine lavoro": asks before losing unsaved lists.
void ConfirmExit(StateStore& dlg);

// The enabling rules: recomputed from the store on every event.
void UpdateButtonStates(StateStore& dlg);
// Disables every command button but "Salva e continua", before the copy run.
int DisableAllButtons(StateStore& dlg);
