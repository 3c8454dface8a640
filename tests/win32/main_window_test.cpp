// The real dialog run by the program's own dialog procedure: events reach
// the program through the Win32 messages, and the window opens centred.
#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "fake_platform.h"
#include "ui/win32/main_window.h"
#include "ui/win32/win32_store.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest()
      : scope_(platform),
        dialog(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                  MainDialogProc, reinterpret_cast<LPARAM>(&shell))),
        store(dialog) {}
  ~MainWindowTest() override { DestroyWindow(dialog); }

  FakePlatform platform;
  FakeShell shell;

 private:
  PlatformScope scope_;

 protected:
  HWND dialog;
  Win32Store store;  // a second view of the same controls, for the test
};

TEST_F(MainWindowTest, OpensCentredInItsInitialStateWithTheTreesImages) {
  RECT window;
  GetWindowRect(dialog, &window);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);
  EXPECT_EQ(store.ReadText(IDC_MODIFIED_FLAG, 8), "N");
  EXPECT_TRUE(store.IsButtonChecked(IDC_REPEAT_FORBIDDEN) && store.IsButtonEnabled(IDC_FINISH));
  EXPECT_FALSE(store.IsButtonEnabled(IDC_SAVE));
  // Seven small images: the shell's icons.
  auto images = reinterpret_cast<HIMAGELIST>(
      SendDlgItemMessageA(dialog, IDC_FOLDER_TREE, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  int width = 0, height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
  EXPECT_EQ(ImageList_GetImageCount(images), 7);
  EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(height, GetSystemMetrics(SM_CYSMICON));
}

TEST_F(MainWindowTest, EscapeKeepsTheWindowFineLavoroAsksAndCloseEnds) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_FALSE(shell.ended);
  store.SetText(IDC_MODIFIED_FLAG, "S");
  shell.messageAnswers = {ANSWER_CANCEL};
  SendDlgItemMessageA(dialog, IDC_FINISH, BM_CLICK, 0, 0);
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].caption, "A T T E N Z I O N E !");
  EXPECT_FALSE(shell.ended);
  store.SetText(IDC_MODIFIED_FLAG, "N");
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(shell.ended);
  EXPECT_EQ(shell.messages.size(), 1u);
}

}  // namespace
