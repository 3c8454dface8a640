#include "dispatch.h"

#include "browser/browser.h"
#include "catalogue/catalogue.h"
#include "copy/copy.h"
#include "lists/lists.h"
#include "player/player.h"

namespace {

// Every list change marks the lists as modified and rescans, whether or not
// the list really changed.
int AfterListChange(StateStore& dlg) {
  dlg.SetText(IDC_MODIFIED_FLAG, "S");
  RebuildCatalogue(dlg);
  UpdateButtonStates(dlg);
  return 1;
}

int RouteCommand(StateStore& dlg, int id, int code) {
  switch (id) {
    case IDC_ADD_INCLUDED:
      AddIncludedFolder(dlg);
      return AfterListChange(dlg);
    case IDC_ADD_EXCLUDED:
      AddExcludedFolder(dlg);
      return AfterListChange(dlg);
    case IDC_REMOVE_INCLUDED:
      RemoveIncludedFolder(dlg);
      return AfterListChange(dlg);
    case IDC_REMOVE_EXCLUDED:
      RemoveExcludedFolder(dlg);
      return AfterListChange(dlg);
    case IDC_CHOOSE_PLAYER:
      ChoosePlayer(dlg);
      UpdateButtonStates(dlg);
      return 1;
    case IDC_FINISH:
      ConfirmExit(dlg);
      return 1;
    case IDC_MAX_SONGS:
      if (code != NOTIFY_EDIT_CHANGE) return 0;
      DrawRandomOrder(dlg);
      ShowCompilationSummary(dlg);
      UpdateButtonStates(dlg);
      return 1;
    case IDC_SHUFFLE_COPY: {
      // Held to the end of the run, so that no other program clears or
      // copies onto the same player meanwhile.
      std::unique_ptr<PlayerLock> lock = TakePlayer(dlg);
      if (!lock || !ConfirmClearing(dlg)) return 1;
      DisableAllButtons(dlg);
      // A working folder that takes no file would refuse the record too.
      if (CopyToPlayer(dlg) != kWorkingFolderRefused) WriteLastCopyRecord(dlg);
      dlg.Window().EndDialog(0);
      return 1;
    }
    case IDC_SAVE_AS:
      SavePlaylistAs(dlg);
      return 0;
    case IDC_OPEN_PLAYLIST:
      if (OpenPlaylist(dlg)) {
        RebuildCatalogue(dlg);
        UpdateButtonStates(dlg);
      }
      return 0;
    case IDC_SAVE:
      SaveCurrentPlaylist(dlg);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

void ConfirmExit(StateStore& dlg) {
  if (dlg.ReadText(IDC_MODIFIED_FLAG, 32).compare(0, 1, "S") == 0) {
    int answer = dlg.Window().ShowMessage(
        "Il file utilizzato è stato modificato\nSalvarlo prima di uscire?",
        "A T T E N Z I O N E !", MESSAGE_YES_NO_CANCEL | MESSAGE_ICON_EXCLAMATION);
    // Cancel keeps the window open; Yes ends only once the lists are safe.
    if (answer == ANSWER_CANCEL) return;
    if (answer == ANSWER_YES && !SaveCurrentPlaylist(dlg)) return;
  }
  dlg.Window().EndDialog(0);
}

int HandleCommand(StateStore& dlg, int id, int code) {
  UpdateButtonStates(dlg);
  if (id < IDC_ADD_INCLUDED || id > IDC_SAVE) return 0;
  return RouteCommand(dlg, id, code);
}

int HandleNotification(StateStore& dlg) {
  UpdateButtonStates(dlg);
  return 0;
}

int HandleTreeSelected(StateStore& dlg, TreeNode data) {
  UpdateButtonStates(dlg);
  HandleTreeSelection(dlg, data);
  // The rules ran before the selected folder changed.
  UpdateButtonStates(dlg);
  return 0;
}

int HandleClose(StateStore& dlg) {
  ConfirmExit(dlg);
  return 1;
}

const DialogEvents& MainDialogEvents() {
  static const DialogEvents events{InitMainDialog, HandleCommand, HandleNotification,
                                   HandleTreeSelected, HandleClose};
  return events;
}
