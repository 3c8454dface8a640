// The dispatch: where every user event enters the program. A window turns
// its own events into these typed calls; each applies the enabling rules and
// routes the event to its subsystem.
#pragma once

#include "store/events.h"
#include "store/state_store.h"

// The window's first event, before it shows: sets up the initial state. Returns 1.
int InitMainDialog(StateStore& dlg);
// A control's command (its id and notification code); 1 where handled.
int HandleCommand(StateStore& dlg, int id, int code);
// Any notification from the tree: the enabling rules run again. Returns 0.
int HandleNotification(StateStore& dlg);
// A new selection in the tree, with the newly selected node's item data.
int HandleTreeSelected(StateStore& dlg, TreeNode data);
// The close box. Returns 1.
int HandleClose(StateStore& dlg);

// The entry points above, for a store that delivers its own events.
const DialogEvents& MainDialogEvents();

// Closing the window and "Fine lavoro": asks before losing unsaved lists.
void ConfirmExit(StateStore& dlg);

// The enabling rules: recomputed from the store on every event.
void UpdateButtonStates(StateStore& dlg);
// Disables every command button but "Salva e continua", before the copy run.
int DisableAllButtons(StateStore& dlg);
