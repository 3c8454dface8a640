// Names from many scripts through the real window and the real files: the
// wide functions reach every one of them, whatever the ANSI code page.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "ui/win32/main_window.h"
#include "ui/win32/win32_store.h"

namespace {

using Names = std::set<std::string>;
using Strings = std::vector<std::string>;

TEST(UnicodeLibrary, EveryNameIsShownCataloguedCopiedLoggedAndSaved) {
  FakePlatform platform;
  PlatformScope scope(platform);
  FakeShell shell;
  TempFolder temp;
  // The temporary folder itself lies on C:.
  platform.MapDrive('D', DRIVE_KIND_FIXED, temp.path() + "\\C");
  platform.MapDrive('E', DRIVE_KIND_REMOVABLE, temp.path() + "\\E");
  platform.SetFreeSpace('E', 524288000, 4096);
  platform.workingDirectory = temp.path() + "\\W";
  Names songs{"Caffè", "Über", "Niño", "Пётр", "Łódź", "東京", "🎵"};
  for (const std::string& song : songs) temp.MakeFile("C\\Lib\\" + song + ".mp3", 1000);
  temp.MakeFile("C\\Lib\\Μουσική\\Canto.mp3", 1000);
  songs.insert("Canto");
  temp.MakeFolder("E");
  temp.MakeFolder("W");
  HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                   MainDialogProc, reinterpret_cast<LPARAM>(&shell));
  Win32Store view(dialog);
  HWND tree = GetDlgItem(dialog, IDC_FOLDER_TREE);
  auto child = [&](LPARAM parent, const std::string& text) {
    LPARAM item = SendMessageW(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, parent);
    while (item && view.NodeText(static_cast<TreeNode>(item), PATH_BUFFER) != text) {
      item = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
    }
    if (item) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, item);
    return item;
  };
  auto click = [&](int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); };
  auto included = [&] {
    Strings entries(static_cast<std::size_t>(view.CountEntries(IDC_INCLUDED_LIST)));
    for (std::size_t i = 0; i < entries.size(); ++i) {
      view.ReadEntry(IDC_INCLUDED_LIST, static_cast<int>(i), entries[i]);
    }
    return entries;
  };

  LPARAM library = child(child(0, "D:\\ DISCO FISSO"), "Lib");
  ASSERT_TRUE(library);
  ASSERT_TRUE(child(library, "Μουσική"));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, library);
  click(IDC_ADD_INCLUDED);
  child(library, "Μουσική");
  click(IDC_ADD_INCLUDED);
  EXPECT_EQ(view.ReadText(IDC_SONG_COUNT, 16), "9");
  std::string saved = temp.path() + "\\W\\scelta.lis";
  shell.saveAnswers = {saved};
  click(IDC_SAVE_AS);
  EXPECT_EQ(temp.ReadBytes("W\\scelta.lis"), "\xEF\xBB\xBF*D:\\Lib\r\n*D:\\Lib\\Μουσική\r\n");
  shell.openAnswers = {saved};
  click(IDC_OPEN_PLAYLIST);
  EXPECT_EQ(included(), Strings({"D:\\Lib", "D:\\Lib\\Μουσική"}));

  SendDlgItemMessageW(dialog, IDC_INCLUDED_LIST, LB_SETCURSEL, 1, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_INCLUDED_LIST, LBN_SELCHANGE), 0);
  click(IDC_REMOVE_INCLUDED);
  EXPECT_EQ(view.ReadText(IDC_SONG_COUNT, 16), "8");
  click(IDC_SHUFFLE_COPY);
  Names copied;
  for (const auto& file : std::filesystem::directory_iterator(temp.Native("E"))) {
    copied.insert(file.path().stem().u8string());
  }
  EXPECT_EQ(copied, songs);
  std::string log = temp.ReadBytes("W\\Playlist.txt");
  EXPECT_EQ(log.substr(0, 3), "\xEF\xBB\xBF");
  for (const std::string& song : songs) EXPECT_NE(log.find(" " + song + "\r\n"), std::string::npos) << song;
  DestroyWindow(dialog);
}

}  // namespace
