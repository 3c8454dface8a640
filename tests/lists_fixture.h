// A main dialog whose folders live on drive M:, a temporary folder, with the
// steps a person takes to fill the lists.
#pragma once

#include <string>

#include "dialog_fixture.h"

class ListsTest : public DialogTest {
 protected:
  ListsTest() {
    temp.MakeFolder("M");
    platform.MapDrive('M', DRIVE_KIND_FIXED, temp.path() + "\\M");
    Start();
  }

  // A folder selected in the tree: it becomes the selected folder, and the
  // tree's handling enables the add buttons.
  void SelectFolder(const std::string& path) {
    dlg.ClearList(IDC_SELECTED_FOLDER);
    dlg.AddEntry(IDC_SELECTED_FOLDER, path);
    dlg.EnableButton(IDC_ADD_INCLUDED, true);
    dlg.EnableButton(IDC_ADD_EXCLUDED, true);
  }
  void Include(const std::string& path) {
    SelectFolder(path);
    dlg.UserClick(IDC_ADD_INCLUDED);
  }
  void Exclude(const std::string& path) {
    SelectFolder(path);
    dlg.UserClick(IDC_ADD_EXCLUDED);
  }
  void Remove(int list, int index) {
    dlg.UserSelectEntry(list, index);
    dlg.UserClick(list == IDC_INCLUDED_LIST ? IDC_REMOVE_INCLUDED : IDC_REMOVE_EXCLUDED);
  }
  // A song file on drive M:, e.g. Song("Musica\\a.mp3").
  void Song(const std::string& relative) { temp.MakeFile("M\\" + relative, 1000); }

  // The Windows-form path of a file in the temporary folder.
  std::string File(const std::string& name) { return temp.path() + "\\" + name; }

  void SaveAs(const std::string& name) {
    platform.saveAnswers.push_back(File(name));
    dlg.UserClick(IDC_SAVE_AS);
  }
  void Open(const std::string& name) {
    platform.openAnswers.push_back(File(name));
    dlg.UserClick(IDC_OPEN_PLAYLIST);
  }
};
