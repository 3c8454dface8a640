#include <cstdlib>

#include "dispatch.h"
#include "platform/platform.h"
#include "store/text.h"

namespace {

bool CanChoosePlayer(StateStore& dlg) {
  std::string selected;
  if (dlg.CountEntries(IDC_SELECTED_FOLDER) < 1) return false;
  dlg.ReadEntry(IDC_SELECTED_FOLDER, 0, selected);
  // Only a drive root is two characters long: "E:".
  return selected.size() == 2 && System().GetDriveKind(selected) == DRIVE_KIND_REMOVABLE;
}

bool CanCopy(StateStore& dlg) {
  int requested = std::atoi(dlg.ReadText(IDC_MAX_SONGS, 15).c_str());
  // The player path is tested by its length alone: "NESSUNO" and "TROPPI"
  // are no drive names.
  return requested >= 1 && WindowsLength(dlg.ReadText(IDC_PLAYER_PATH, 8)) == 2;
}

}  // namespace

void UpdateButtonStates(StateStore& dlg) {
  bool folderSelected = dlg.CountEntries(IDC_SELECTED_FOLDER) >= 1;
  dlg.EnableButton(IDC_ADD_INCLUDED, folderSelected);
  dlg.EnableButton(IDC_ADD_EXCLUDED, folderSelected);
  dlg.EnableButton(IDC_REMOVE_INCLUDED, dlg.SelectedEntry(IDC_INCLUDED_LIST) != NO_ENTRY);
  dlg.EnableButton(IDC_REMOVE_EXCLUDED, dlg.SelectedEntry(IDC_EXCLUDED_LIST) != NO_ENTRY);
  dlg.EnableButton(IDC_CHOOSE_PLAYER, CanChoosePlayer(dlg));
  dlg.EnableButton(IDC_SHUFFLE_COPY, CanCopy(dlg));
  dlg.EnableButton(IDC_SAVE_AS, dlg.CountEntries(IDC_INCLUDED_LIST) >= 1);
  dlg.EnableButton(IDC_SAVE, dlg.ReadText(IDC_MODIFIED_FLAG, 8).compare(0, 1, "S") == 0);
  dlg.EnableButton(IDC_OPEN_PLAYLIST, true);
}

int DisableAllButtons(StateStore& dlg) {
  for (int id : {IDC_ADD_INCLUDED, IDC_ADD_EXCLUDED, IDC_CHOOSE_PLAYER, IDC_REMOVE_INCLUDED,
                 IDC_REMOVE_EXCLUDED, IDC_FINISH, IDC_SHUFFLE_COPY, IDC_OPEN_PLAYLIST, IDC_SAVE_AS}) {
    dlg.EnableButton(id, false);
  }
  return 0;
}
