#include "dialog_fixture.h"

namespace {

class ButtonRules : public DialogTest {
 protected:
  void SetUp() override {
    platform.SetDriveKind('C', DRIVE_KIND_FIXED);
    platform.SetDriveKind('D', DRIVE_KIND_CDROM);
    platform.SetDriveKind('E', DRIVE_KIND_REMOVABLE);
    Start();
  }
  bool Enabled(int id) { return dlg.IsButtonEnabled(id); }
  void Select(const std::string& folder) {
    dlg.ClearList(IDC_SELECTED_FOLDER);
    dlg.AddEntry(IDC_SELECTED_FOLDER, folder);
    UpdateButtonStates(dlg);
  }
};

TEST_F(ButtonRules, ChoosePlayerOnlyForARemovableRoot) {
  struct { const char* selected; bool enabled; } cases[] = {
      {"E:", true}, {"e:", true}, {"C:", false}, {"D:", false}, {"E:\\Musica", false}, {"F:", false}};
  for (auto& c : cases) {
    SCOPED_TRACE(c.selected);
    Select(c.selected);
    EXPECT_EQ(Enabled(IDC_CHOOSE_PLAYER), c.enabled);
    EXPECT_TRUE(Enabled(IDC_ADD_INCLUDED));
    EXPECT_TRUE(Enabled(IDC_ADD_EXCLUDED));
  }
  dlg.ClearList(IDC_SELECTED_FOLDER);
  UpdateButtonStates(dlg);
  EXPECT_FALSE(Enabled(IDC_CHOOSE_PLAYER));
  EXPECT_FALSE(Enabled(IDC_ADD_INCLUDED));
}

TEST_F(ButtonRules, CopyNeedsASongAndATwoCharacterPlayer) {
  struct { const char* player; const char* songs; bool enabled; } cases[] = {
      {"E:", "1", true},     {"E:", "0012", true},  {"E:", "", false},       {"E:", "000", false},
      {"NESSUNO", "5", false}, {"TROPPI", "5", false}, {"zz", "5", true},    {"E:\\", "5", false},
      {"E:", "-3", false}};
  for (auto& c : cases) {
    SCOPED_TRACE(std::string(c.player) + " / " + c.songs);
    dlg.SetText(IDC_PLAYER_PATH, c.player);
    dlg.SetText(IDC_MAX_SONGS, c.songs);
    EXPECT_EQ(Enabled(IDC_SHUFFLE_COPY), c.enabled);
  }
}

TEST_F(ButtonRules, SaveButtonsFollowTheIncludedListAndTheFlag) {
  dlg.AddEntry(IDC_EXCLUDED_LIST, "C:\\Natale");
  UpdateButtonStates(dlg);
  EXPECT_FALSE(Enabled(IDC_SAVE_AS));
  dlg.AddEntry(IDC_INCLUDED_LIST, "C:\\Musica");
  UpdateButtonStates(dlg);
  EXPECT_TRUE(Enabled(IDC_SAVE_AS));
  EXPECT_FALSE(Enabled(IDC_SAVE));
  dlg.SetText(IDC_MODIFIED_FLAG, "Si");
  UpdateButtonStates(dlg);
  EXPECT_TRUE(Enabled(IDC_SAVE));
  EXPECT_TRUE(Enabled(IDC_OPEN_PLAYLIST));
}

TEST_F(ButtonRules, RemoveButtonsFollowTheSelectionInTheirList) {
  dlg.AddEntry(IDC_EXCLUDED_LIST, "C:\\Natale");
  dlg.UserSelectEntry(IDC_EXCLUDED_LIST, 0);
  EXPECT_TRUE(Enabled(IDC_REMOVE_EXCLUDED));
  EXPECT_FALSE(Enabled(IDC_REMOVE_INCLUDED));
}

TEST_F(ButtonRules, DisableAllButtonsSparesSaveAndContinue) {
  dlg.SetText(IDC_MODIFIED_FLAG, "S");
  UpdateButtonStates(dlg);
  DisableAllButtons(dlg);
  for (int id : {IDC_ADD_INCLUDED, IDC_ADD_EXCLUDED, IDC_CHOOSE_PLAYER, IDC_REMOVE_INCLUDED,
                 IDC_REMOVE_EXCLUDED, IDC_FINISH, IDC_SHUFFLE_COPY, IDC_OPEN_PLAYLIST, IDC_SAVE_AS}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  EXPECT_TRUE(Enabled(IDC_SAVE));
}

}  // namespace
