// The real dialog run by the program's own dialog procedure: events reach
// the program through the Win32 messages, and the window opens centred.
#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/table_store.h"
#include "fake_platform.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32_store.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest()
      : scope_(platform),
        dialog(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                  MainWindowProc, 0)),
        store(dialog) {}
  ~MainWindowTest() override { DestroyWindow(dialog); }

  FakePlatform platform;

 private:
  PlatformScope scope_;

 protected:
  HWND dialog;
  Win32Store store;  // a second view of the same controls, for the test
};

TEST_F(MainWindowTest, OpensCentredInItsInitialState) {
  RECT window;
  GetWindowRect(dialog, &window);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);
  EXPECT_EQ(store.ReadText(IDC_MODIFIED_FLAG, 8), "N");
  EXPECT_TRUE(store.IsButtonChecked(IDC_REPEAT_FORBIDDEN));
  EXPECT_TRUE(store.IsButtonEnabled(IDC_FINISH));
  EXPECT_FALSE(store.IsButtonEnabled(IDC_SAVE));
}

TEST_F(MainWindowTest, TypingInTheSongCountReachesTheProgram) {
  HWND edit = GetDlgItem(dialog, IDC_MAX_SONGS);
  for (char key : std::string("7x12345")) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 1);
  // The same keys on the table store give the same summary.
  TableStore table(MainDialogProc);
  table.Initialise();
  table.UserType(IDC_MAX_SONGS, "7x12345");
  EXPECT_EQ(store.ReadText(IDC_MAX_SONGS, 16), "7123");
  EXPECT_NE(store.ReadText(IDC_COMPILATION_INFO, 128), "");
  EXPECT_EQ(store.ReadText(IDC_COMPILATION_INFO, 128), table.ReadText(IDC_COMPILATION_INFO, 128));
}

TEST_F(MainWindowTest, EscapeKeepsTheWindowAndCloseEndsIt) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_FALSE(platform.ended);
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(platform.ended);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainWindowTest, FineLavoroReachesTheExitQuestion) {
  store.SetText(IDC_MODIFIED_FLAG, "S");
  platform.messageAnswers = {ANSWER_NO};
  SendDlgItemMessageA(dialog, IDC_FINISH, BM_CLICK, 0, 0);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].caption, "A T T E N Z I O N E !");
  EXPECT_TRUE(platform.ended);
}

}  // namespace
