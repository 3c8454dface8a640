#include "platform/platform.h"
#include "player.h"

void DetectPlayer(StateStore& dlg) {
  int removable = 0;
  std::string first;
  // A drive counts by its kind alone, with or without a medium.
  for (const char* letter = DRIVE_LETTERS; *letter; ++letter) {
    if (System().GetDriveKind(std::string{*letter, ':', '\\'}) != DRIVE_KIND_REMOVABLE) continue;
    if (removable++ == 0) first = std::string{*letter, ':'};
  }
  if (removable == 0) {
    dlg.SetText(IDC_PLAYER_PATH, "NESSUNO");
    dlg.SetText(IDC_STATUS_LINE, "Nessun lettore collegato");
  } else if (removable == 1) {
    dlg.SetText(IDC_PLAYER_PATH, first);
    MeasurePlayer(dlg);
  } else {
    dlg.SetText(IDC_PLAYER_PATH, "TROPPI");
    dlg.SetText(IDC_STATUS_LINE, "Troppi possibili lettori collegati");
  }
}

void ChoosePlayer(StateStore& dlg) {
  // The button is enabled only for a removable drive's root, so this is a
  // drive name ("E:").
  std::string selected;
  dlg.ReadEntry(IDC_SELECTED_FOLDER, 0, selected);
  dlg.SetText(IDC_PLAYER_PATH, selected);
  MeasurePlayer(dlg);
  dlg.ClearList(IDC_SELECTED_FOLDER);
}
