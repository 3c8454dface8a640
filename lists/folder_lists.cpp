#include "lists.h"

namespace {

int AddSelectedFolder(StateStore& dlg, int list) {
  if (dlg.CountEntries(IDC_SELECTED_FOLDER) < 1) return 1;
  std::string folder;
  dlg.ReadEntry(IDC_SELECTED_FOLDER, 0, folder);
  // A folder already listed, in any letter case, stays selected.
  if (dlg.FindExact(list, folder) != NO_ENTRY) return 1;
  dlg.AddEntry(list, folder);
  dlg.ClearList(IDC_SELECTED_FOLDER);
  return 1;
}

int RemoveSelectedEntry(StateStore& dlg, int list) {
  int selected = dlg.SelectedEntry(list);
  if (selected == NO_ENTRY) return 1;
  dlg.DeleteEntry(list, selected);
  dlg.ClearList(IDC_SELECTED_FOLDER);
  return 1;
}

}  // namespace

int AddIncludedFolder(StateStore& dlg) { return AddSelectedFolder(dlg, IDC_INCLUDED_LIST); }

int AddExcludedFolder(StateStore& dlg) { return AddSelectedFolder(dlg, IDC_EXCLUDED_LIST); }

int RemoveIncludedFolder(StateStore& dlg) { return RemoveSelectedEntry(dlg, IDC_INCLUDED_LIST); }

int RemoveExcludedFolder(StateStore& dlg) { return RemoveSelectedEntry(dlg, IDC_EXCLUDED_LIST); }
