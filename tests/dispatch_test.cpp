#include "dialog_fixture.h"

namespace {

class DispatchTest : public DialogTest {};

// No removable drive: no player.
TEST_F(DispatchTest, StartsInTheInitialStateAndEscapeDoesNothing) {
  platform.MapDrive('C', DRIVE_KIND_FIXED);
  Start();
  EXPECT_EQ(Texts({IDC_MODIFIED_FLAG, IDC_PLAYLIST_PATH, IDC_PLAYER_PATH, IDC_STATUS_LINE, IDC_FREE_BYTES}),
            Strings({"N", "", "NESSUNO", "Nessun lettore collegato", ""}));
  for (int id : {IDC_REPEAT_FORBIDDEN, IDC_REPEAT_ALLOWED, IDC_CLEAR_BEFORE, IDC_KEEP_EXISTING}) {
    EXPECT_EQ(dlg.IsButtonChecked(id), id == IDC_REPEAT_FORBIDDEN || id == IDC_CLEAR_BEFORE) << id;
  }
  for (int id : {IDC_ADD_INCLUDED, IDC_ADD_EXCLUDED, IDC_REMOVE_INCLUDED, IDC_REMOVE_EXCLUDED, IDC_CHOOSE_PLAYER,
                 IDC_FINISH, IDC_OPEN_PLAYLIST, IDC_SAVE, IDC_SAVE_AS, IDC_SHUFFLE_COPY}) {
    EXPECT_EQ(dlg.IsButtonEnabled(id), id == IDC_FINISH || id == IDC_OPEN_PLAYLIST) << id;
  }
  dlg.SetText(IDC_MODIFIED_FLAG, "S");
  dlg.UserEscape();
  EXPECT_FALSE(shell.ended);
  EXPECT_TRUE(shell.messages.empty());
}

// The close box and "Fine lavoro" alike: unsaved lists are asked about;
// Yes saves and ends, No ends, Cancel keeps the window open.
TEST_F(DispatchTest, TheExitQuestionDecidesWhetherTheWindowCloses) {
  StartComputer();
  dlg.AddEntry(IDC_INCLUDED_LIST, "C:\\Musica");
  dlg.SetText(IDC_PLAYLIST_PATH, File("scelta.lis"));
  for (bool close : {true, false}) {
    for (int answer : {ANSWER_YES, ANSWER_NO, ANSWER_CANCEL, 0}) {
      SCOPED_TRACE(testing::Message() << (close ? "close" : "finish") << ", answer " << answer);
      std::filesystem::remove(temp.Native("C\\liste\\scelta.lis"));
      shell.ended = false;
      shell.messageAnswers = {answer};
      dlg.SetText(IDC_MODIFIED_FLAG, answer ? "S" : "N");  // 0: nothing to ask about
      if (close) dlg.UserClose(); else dlg.UserClick(IDC_FINISH);

      if (answer) {
        ExpectMessage("Il file utilizzato è stato modificato\nSalvarlo prima di uscire?",
                      "A T T E N Z I O N E !", MESSAGE_YES_NO_CANCEL | MESSAGE_ICON_EXCLAMATION);
      }
      EXPECT_TRUE(shell.messages.empty());
      EXPECT_EQ(shell.ended, answer != ANSWER_CANCEL);
      EXPECT_EQ(temp.Exists("C\\liste\\scelta.lis"), answer == ANSWER_YES);
      EXPECT_EQ(Text(IDC_MODIFIED_FLAG), answer == ANSWER_NO || answer == ANSWER_CANCEL ? "S" : "N");
    }
  }
}

// The program's own writes into 109 and 124 run the rules before they
// return, as the user's typing does.
TEST_F(DispatchTest, CopyNeedsASongAndATwoCharacterPlayer) {
  const char* const cases[][3] = {
      {"E:", "1", "on"},       {"E:", "0012", "on"},   {"E:", "", "off"},   {"E:", "000", "off"},
      {"E:", "-3", "off"},     {"NESSUNO", "5", "off"}, {"TROPPI", "5", "off"}, {"zz", "5", "on"},
      {"E:\\", "5", "off"},   {"12345678E:", "5", "off"},
  };
  Start();
  for (auto& c : cases) {
    SCOPED_TRACE(std::string(c[0]) + " / " + c[1]);
    dlg.SetText(IDC_PLAYER_PATH, c[0]);
    dlg.SetText(IDC_MAX_SONGS, c[1]);
    EXPECT_EQ(dlg.IsButtonEnabled(IDC_SHUFFLE_COPY), c[2] == std::string("on"));
  }
}

}  // namespace
