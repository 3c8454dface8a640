#include "dispatch.h"

#include "browser/browser.h"
#include "catalogue/catalogue.h"
#include "copy/copy.h"
#include "lists/lists.h"
#include "platform/platform.h"
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

int HandleCommand(StateStore& dlg, int id, int code) {
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
    case IDC_SHUFFLE_COPY:
      if (!ConfirmClearing(dlg)) return 1;
      DisableAllButtons(dlg);
      CopyToPlayer(dlg);
      WriteLastCopyRecord(dlg);
      Os().EndDialog(dlg.Handle(), 0);
      return 1;
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
    int answer = Os().ShowMessage(dlg.Handle(),
                                  "Il file utilizzato \xE8 stato modificato\nSalvarlo prima di uscire?",
                                  "A T T E N Z I O N E !",
                                  MESSAGE_YES_NO_CANCEL | MESSAGE_ICON_EXCLAMATION);
    // Cancel keeps the window open; Yes ends only once the lists are safe.
    if (answer == ANSWER_CANCEL) return;
    if (answer == ANSWER_YES && !SaveCurrentPlaylist(dlg)) return;
  }
  Os().EndDialog(dlg.Handle(), 0);
}

int MainDialogProc(StateStore& dlg, unsigned message, std::uintptr_t wparam, std::intptr_t lparam) {
  switch (message) {
    case MSG_NOTIFY: {
      UpdateButtonStates(dlg);
      const auto* notification = reinterpret_cast<const Notification*>(lparam);
      if (wparam == IDC_FOLDER_TREE && notification && notification->code == NOTIFY_TREE_SELCHANGED) {
        HandleTreeSelection(dlg, *notification);
        // The rules ran before the selected folder changed.
        UpdateButtonStates(dlg);
      }
      return 0;
    }
    case MSG_CLOSE:
      ConfirmExit(dlg);
      return 1;
    case MSG_INITDIALOG:
      return InitMainDialog(dlg);
    case MSG_COMMAND: {
      UpdateButtonStates(dlg);
      int id = static_cast<int>(wparam & 0xFFFF);
      int code = static_cast<int>((wparam >> 16) & 0xFFFF);
      if (id < IDC_ADD_INCLUDED || id > IDC_SAVE) return 0;
      return HandleCommand(dlg, id, code);
    }
    default:
      return 0;
  }
}
