#include "dialog_fixture.h"

namespace {

class DispatchTest : public DialogTest {};

TEST_F(DispatchTest, StartUpLeavesTheInitialState) {
  Start();
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "N");
  EXPECT_EQ(Text(IDC_PLAYLIST_PATH), "");
  EXPECT_TRUE(dlg.IsButtonChecked(IDC_REPEAT_FORBIDDEN));
  EXPECT_TRUE(dlg.IsButtonChecked(IDC_CLEAR_BEFORE));
  EXPECT_FALSE(dlg.IsButtonChecked(IDC_REPEAT_ALLOWED));
  EXPECT_FALSE(dlg.IsButtonChecked(IDC_KEEP_EXISTING));
  for (int id : {IDC_FINISH, IDC_OPEN_PLAYLIST}) EXPECT_TRUE(dlg.IsButtonEnabled(id)) << id;
  for (int id : {IDC_ADD_INCLUDED, IDC_ADD_EXCLUDED, IDC_REMOVE_INCLUDED, IDC_REMOVE_EXCLUDED,
                 IDC_CHOOSE_PLAYER, IDC_SAVE, IDC_SAVE_AS, IDC_SHUFFLE_COPY}) {
    EXPECT_FALSE(dlg.IsButtonEnabled(id)) << id;
  }
}

TEST_F(DispatchTest, EscapeDoesNothing) {
  Start();
  dlg.SetText(IDC_MODIFIED_FLAG, "S");
  dlg.UserEscape();
  EXPECT_FALSE(platform.ended);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DispatchTest, UnmodifiedListsEndWithoutAQuestion) {
  Start();
  dlg.UserClose();
  EXPECT_TRUE(platform.ended);
  EXPECT_TRUE(platform.messages.empty());
}

struct ExitCase {
  const char* how;
  int answer;
  bool ends;
  bool saved;
};

class ExitQuestion : public DialogTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitQuestion, AnswersDecideWhetherTheWindowCloses) {
  const ExitCase& c = GetParam();
  Start();
  std::string file = temp.path() + "\\scelta.lis";
  dlg.AddEntry(IDC_INCLUDED_LIST, "C:\\Musica");
  dlg.SetText(IDC_PLAYLIST_PATH, file);
  dlg.SetText(IDC_MODIFIED_FLAG, "S");
  platform.messageAnswers = {c.answer};
  if (std::string(c.how) == "close") dlg.UserClose(); else dlg.UserClick(IDC_FINISH);

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text,
            "Il file utilizzato \xE8 stato modificato\nSalvarlo prima di uscire?");
  EXPECT_EQ(platform.messages[0].caption, "A T T E N Z I O N E !");
  EXPECT_EQ(platform.messages[0].style, 0x33u);
  EXPECT_EQ(platform.ended, c.ends);
  EXPECT_EQ(temp.Exists("scelta.lis"), c.saved);
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), c.saved ? "N" : "S");
}

INSTANTIATE_TEST_SUITE_P(Answers, ExitQuestion,
                         ::testing::Values(ExitCase{"close", ANSWER_YES, true, true},
                                           ExitCase{"close", ANSWER_NO, true, false},
                                           ExitCase{"close", ANSWER_CANCEL, false, false},
                                           ExitCase{"finish", ANSWER_YES, true, true},
                                           ExitCase{"finish", ANSWER_NO, true, false},
                                           ExitCase{"finish", ANSWER_CANCEL, false, false}));

TEST_F(DispatchTest, TypingInTheSongCountRedrawsTheCompilation) {
  Start();
  dlg.UserType(IDC_MAX_SONGS, "7");
  EXPECT_EQ(Text(IDC_COMPILATION_INFO), "Nella compilation;   7 brani per totali 0 MBites");
  dlg.UserType(IDC_MAX_SONGS, "x");
  EXPECT_EQ(Text(IDC_MAX_SONGS), "7");
}

}  // namespace
