#include "store/text.h"
#include "catalogue/catalogue.h"
#include "copy.h"

// Names are used whole, however long: the log and the status line show
// them as the listing gives them.
bool ClearPlayer(StateStore& dlg, OutputFile& log) {
  std::string drive = dlg.ReadText(IDC_PLAYER_PATH, 16);
  std::unique_ptr<FolderListing> listing = System().ListFolder(drive);
  if (!listing) return true;
  int deletion = 1;
  FolderEntry entry;
  while (listing->Next(entry)) {
    if (entry.folder || entry.name == "." || entry.name == ".." || !IsSongFile(entry.name)) continue;
    if (RunStopAsked(dlg)) return false;
    WriteLogText(log, Format("Cancello %4d  %s \n", deletion, entry.name.c_str()));
    ShowProgress(dlg, IDC_STATUS_LINE, "Cancello: " + entry.name);
    // A read-only or busy file stays; the log already lists it.
    System().RemoveFile(drive + "\\" + entry.name);
    ++deletion;
  }
  return true;
}

bool ConfirmClearing(StateStore& dlg) {
  if (!dlg.IsButtonChecked(IDC_CLEAR_BEFORE)) return true;
  std::string player = dlg.ReadText(IDC_PLAYER_PATH, 8);
  if (System().GetDriveKind(player) == DRIVE_KIND_REMOVABLE) return true;
  std::string question = Format("L'unità %s non è un disco rimovibile.\n"
                                "Cancellare comunque i file musicali della sua cartella principale?",
                                player.c_str());
  return dlg.Window().ShowMessage(question, "A T T E N Z I O N E !",
                                  MESSAGE_YES_NO | MESSAGE_ICON_EXCLAMATION) == ANSWER_YES;
}
