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

// Through the real controls: "Mescola e copia" with clearing chosen and a
// fixed drive typed as the player asks first; No leaves the window as it was.
TEST_F(MainWindowTest, ClearingAFixedDriveAsksFirst) {
  TempFolder temp;
  temp.MakeFolder("C\\lavoro");
  temp.WriteBytes("C\\lib\\a.mp3", "new");
  platform.MapDrive('C', DRIVE_KIND_FIXED, temp.path() + "\\C");
  platform.workingDirectory = "C:\\lavoro";
  for (int answer : {ANSWER_NO, ANSWER_YES}) {
    SCOPED_TRACE(answer);
    temp.WriteBytes("C\\vecchio.mp3", "old");
    for (auto [id, text] : {std::pair{IDC_SONG_FOLDERS, "C:\\lib"}, std::pair{IDC_SONG_NAMES, "a"},
                            std::pair{IDC_SONG_EXTS, "mp3"}, std::pair{IDC_SONG_SIZES, "3"}}) {
      store.AddEntry(id, text);
    }
    store.SetText(IDC_MAX_SONGS, "1");
    store.SetText(IDC_PLAYER_PATH, "C:");
    shell.messageAnswers = {answer};
    SendDlgItemMessageA(dialog, IDC_SHUFFLE_COPY, BM_CLICK, 0, 0);

    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text,
              "L'unità C: non è un disco rimovibile.\n"
              "Cancellare comunque i file musicali della sua cartella principale?");
    EXPECT_EQ(shell.messages[0].style, MESSAGE_YES_NO | MESSAGE_ICON_EXCLAMATION);
    shell.messages.clear();
    bool ran = answer == ANSWER_YES;
    EXPECT_EQ(shell.ended, ran);
    EXPECT_EQ(temp.Exists("C\\lavoro\\Playlist.txt"), ran);
    EXPECT_EQ(temp.Exists("C\\vecchio.mp3"), !ran);
    EXPECT_EQ(temp.Exists("C\\a.mp3"), ran);
    if (!ran) EXPECT_TRUE(store.IsButtonEnabled(IDC_SHUFFLE_COPY));
  }
}

}  // namespace
