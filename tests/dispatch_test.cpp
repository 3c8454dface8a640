#include "dialog_fixture.h"
#include "player/player.h"

using DispatchTest = DialogTest;

// The close box and "Fine lavoro" alike: unsaved lists are asked about;
// Yes saves and ends, No ends, Cancel keeps the window open.
TEST_F(DispatchTest, TheExitQuestionDecidesWhetherTheWindowCloses) {
  dlg.AddEntry(IDC_INCLUDED_LIST, "C:\\Musica");
  dlg.SetText(IDC_PLAYLIST_PATH, List("scelta.lis"));
  for (bool close : {true, false}) {
    for (int answer : {ANSWER_YES, ANSWER_NO, ANSWER_CANCEL, 0}) {
      SCOPED_TRACE(testing::Message() << close << ", answer " << answer);
      fs::remove(temp.Native("C\\liste\\scelta.lis"));
      shell.ended = false;
      shell.answers = {answer};
      dlg.SetText(IDC_MODIFIED_FLAG, answer ? "S" : "N");  // 0: nothing to ask about
      if (close) dlg.UserClose(); else dlg.UserClick(IDC_FINISH);
      EXPECT_EQ(Messages(), answer ? kWarning + std::string("Il file utilizzato è stato modificato\nSalvarlo prima "
                                                            "di uscire?|51") : "");
      EXPECT_EQ(shell.ended, answer != ANSWER_CANCEL);
      EXPECT_EQ(fs::exists(temp.Native("C\\liste\\scelta.lis")), answer == ANSWER_YES);
      EXPECT_EQ(Text(IDC_MODIFIED_FLAG), answer == ANSWER_NO || answer == ANSWER_CANCEL ? "S" : "N");
    }
  }
  shell.ended = false;
  dlg.UserEscape();  // Escape outside a run ends nothing
  EXPECT_FALSE(shell.ended);
}

// The program's own writes run the rule before they return, as typing does.
TEST_F(DispatchTest, CopyNeedsASongAndATwoCharacterPlayer) {
  const std::tuple<const char*, const char*, bool> rows[] = {
      {"E:", "1", true}, {"E:", "0012", true}, {"E:", "", false}, {"E:", "000", false}, {"E:", "-3", false},
      {"NESSUNO", "5", false}, {"zz", "5", true}, {"E:\\", "5", false}, {"Ж:", "5", true}};
  for (auto [player, count, enabled] : rows) {
    dlg.SetText(IDC_PLAYER_PATH, player);
    dlg.SetText(IDC_MAX_SONGS, count);
    EXPECT_EQ(dlg.IsButtonEnabled(IDC_SHUFFLE_COPY), enabled) << player << " / " << count;
  }
}

// The one removable drive from C: to Z: is the player (A: and B: are floppy
// drives); none and several are said so, and "Scegli come lettore" takes
// the selected drive root.
TEST_F(DispatchTest, ThePlayerIsTheOneRemovableDriveOrTheChosenOne) {
  EXPECT_EQ(Text(IDC_PLAYER_PATH), "E:");
  platform.MapDrive('A', DRIVE_KIND_REMOVABLE);
  platform.MapDrive('E', DRIVE_KIND_FIXED);
  DetectPlayer(dlg);
  EXPECT_EQ(Text(IDC_PLAYER_PATH) + "|" + Text(IDC_STATUS_LINE), "NESSUNO|Nessun lettore collegato");
  platform.MapDrive('F', DRIVE_KIND_REMOVABLE, temp.path + "\\E");
  platform.MapDrive('Z', DRIVE_KIND_REMOVABLE);
  DetectPlayer(dlg);
  EXPECT_EQ(Text(IDC_PLAYER_PATH) + "|" + Text(IDC_STATUS_LINE), "TROPPI|Troppi possibili lettori collegati");
  Add("F:", IDC_CHOOSE_PLAYER);
  EXPECT_EQ(Text(IDC_PLAYER_PATH) + "|" + Text(IDC_STATUS_LINE).substr(0, 13), "F:|Nel lettore: ");
  EXPECT_EQ(dlg.CountEntries(IDC_SELECTED_FOLDER), 0);
}
