#include "browser/browser.h"
#include "dispatch.h"
#include "player/player.h"

int InitMainDialog(StateStore& dlg) {
  SetUpDriveTree(dlg);
  DetectPlayer(dlg);
  dlg.LimitTyping(IDC_MAX_SONGS, 4);
  for (int id : {IDC_ADD_INCLUDED, IDC_ADD_EXCLUDED, IDC_REMOVE_INCLUDED, IDC_REMOVE_EXCLUDED,
                 IDC_CHOOSE_PLAYER}) {
    dlg.EnableButton(id, false);
  }
  dlg.EnableButton(IDC_FINISH, true);
  dlg.EnableButton(IDC_OPEN_PLAYLIST, true);
  for (int id : {IDC_SAVE, IDC_SAVE_AS, IDC_SHUFFLE_COPY}) dlg.EnableButton(id, false);
  dlg.CheckButton(IDC_REPEAT_FORBIDDEN);
  dlg.CheckButton(IDC_CLEAR_BEFORE);
  dlg.SetText(IDC_MODIFIED_FLAG, "N");
  dlg.SetText(IDC_PLAYLIST_PATH, "");
  // Returning 1 lets the system set the default keyboard focus.
  return 1;
}
