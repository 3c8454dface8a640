#include "lists_fixture.h"

namespace {

TEST_F(ListsTest, AddedFoldersShowSortedAndEmptyTheSelection) {
  for (const char* folder : {"M:\\Musica\\Rock", "M:\\Musica\\blues", "M:\\Musica\\Jazz"}) Include(folder);
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST),
            (std::vector<std::string>{"M:\\Musica\\blues", "M:\\Musica\\Jazz", "M:\\Musica\\Rock"}));
  EXPECT_EQ(dlg.CountEntries(IDC_SELECTED_FOLDER), 0);
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_ADD_INCLUDED));
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_ADD_EXCLUDED));
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "S");
}

TEST_F(ListsTest, ListsAreIndependentAndNestingIsAllowed) {
  Include("M:\\Musica");
  Exclude("M:\\Musica");
  Include("M:\\Musica\\Rock");
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST), (std::vector<std::string>{"M:\\Musica", "M:\\Musica\\Rock"}));
  EXPECT_EQ(Entries(IDC_EXCLUDED_LIST), (std::vector<std::string>{"M:\\Musica"}));
}

// Every list change marks the lists and rescans, even one that changes nothing.
TEST_F(ListsTest, AFolderAlreadyListedIsNotAddedButStillRescans) {
  Song("Musica\\a.mp3");
  Include("M:\\Musica");
  EXPECT_EQ(Text(IDC_SONG_COUNT), "1");
  Song("Musica\\b.mp3");
  dlg.SetText(IDC_MODIFIED_FLAG, "N");

  Include("m:\\MUSICA");
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST), (std::vector<std::string>{"M:\\Musica"}));
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), (std::vector<std::string>{"m:\\MUSICA"}));
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "S");
  EXPECT_EQ(Text(IDC_SONG_COUNT), "2");
  EXPECT_TRUE(dlg.IsButtonEnabled(IDC_SAVE));
}

TEST_F(ListsTest, RemovingDeletesTheSelectedEntryOnly) {
  Song("Musica\\Rock\\a.mp3");
  for (const char* folder : {"M:\\Musica\\Blues", "M:\\Musica\\Jazz", "M:\\Musica\\Rock"}) Include(folder);
  Exclude("M:\\Musica\\Jazz");
  EXPECT_EQ(Text(IDC_SONG_COUNT), "1");
  SelectFolder("M:\\Altro");
  dlg.SetText(IDC_MODIFIED_FLAG, "N");

  Remove(IDC_INCLUDED_LIST, 2);
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST), (std::vector<std::string>{"M:\\Musica\\Blues", "M:\\Musica\\Jazz"}));
  EXPECT_EQ(Entries(IDC_EXCLUDED_LIST), (std::vector<std::string>{"M:\\Musica\\Jazz"}));
  EXPECT_EQ(dlg.CountEntries(IDC_SELECTED_FOLDER), 0);
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "S");
  EXPECT_EQ(Text(IDC_SONG_COUNT), "0");
  // Nothing is selected any more: the remove button waits for a new click.
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_REMOVE_INCLUDED));
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_ADD_INCLUDED));
}

TEST_F(ListsTest, ARemoveWithNothingSelectedStillMarksTheLists) {
  Include("M:\\Musica");
  dlg.SetText(IDC_MODIFIED_FLAG, "N");
  for (int id : {IDC_REMOVE_INCLUDED, IDC_REMOVE_EXCLUDED}) {
    SCOPED_TRACE(id);
    dlg.SetText(IDC_MODIFIED_FLAG, "N");
    EXPECT_EQ(MainDialogProc(dlg, MSG_COMMAND, CommandParam(id, NOTIFY_BUTTON_CLICKED), 0), 1);
    EXPECT_EQ(Entries(IDC_INCLUDED_LIST), (std::vector<std::string>{"M:\\Musica"}));
    EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "S");
  }
}

TEST_F(ListsTest, SaveAsFollowsTheIncludedListAndSaveTheFlag) {
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_SAVE_AS));
  Exclude("M:\\Musica\\Natale");
  // Excluded folders alone give nothing to play.
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_SAVE_AS));
  EXPECT_TRUE(dlg.IsButtonEnabled(IDC_SAVE));
  Include("M:\\Musica");
  EXPECT_TRUE(dlg.IsButtonEnabled(IDC_SAVE_AS));
  Remove(IDC_INCLUDED_LIST, 0);
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_SAVE_AS));
  EXPECT_TRUE(dlg.IsButtonEnabled(IDC_SAVE));
}

}  // namespace
