// What the real dialog's store does beyond the shared conformance suite:
// the tree's images, and hidden lists that grow long.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/win32/win32_store.h"

namespace {

class Win32StoreTest : public ::testing::Test {
 protected:
  Win32StoreTest()
      : dialog(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                  [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0)),
        store(dialog) {}
  ~Win32StoreTest() override { DestroyWindow(dialog); }

  HWND dialog;
  Win32Store store;
};

TEST_F(Win32StoreTest, TheTreeGetsSevenSmallImages) {
  store.SetUpTreeImages();
  auto images = reinterpret_cast<HIMAGELIST>(
      SendDlgItemMessageA(dialog, IDC_FOLDER_TREE, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images), 7);
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(height, GetSystemMetrics(SM_CYSMICON));
}

TEST_F(Win32StoreTest, HiddenListsKeepEveryEntryInPlaceAsTheyGrow) {
  // The catalogue is added, the random orders are appended.
  struct { int id; bool append; } lists[] = {{IDC_SONG_SIZES, false}, {IDC_ORDER_NO_REPEAT, true}};
  for (auto list : lists) {
    SCOPED_TRACE(list.id);
    for (int i = 0; i < 3000; ++i) {
      std::string entry = std::to_string(i);
      ASSERT_EQ(list.append ? store.InsertEntry(list.id, -1, entry) : store.AddEntry(list.id, entry), i);
    }
    std::string text;
    for (int i : {0, 63, 64, 65, 127, 128, 1024, 2999}) {
      store.ReadEntry(list.id, i, text);
      EXPECT_EQ(text, std::to_string(i));
    }
    EXPECT_EQ(store.CountEntries(list.id), 3000);
    store.ClearList(list.id);
    EXPECT_EQ(store.AddEntry(list.id, "dopo"), 0);
  }
}

// Run by hand: --gtest_also_run_disabled_tests --gtest_filter='*Benchmark*'.
// Filling a hidden list should take about twice as long for twice the songs.
TEST_F(Win32StoreTest, DISABLED_BenchmarkFillingAHiddenList) {
  auto fill = [&](int songs) {
    store.ClearList(IDC_SONG_NAMES);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < songs; ++i) store.AddEntry(IDC_SONG_NAMES, "Una canzone " + std::to_string(i));
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  double half = fill(100000);
  double whole = fill(200000);
  std::printf("100,000 songs %.3f s, 200,000 songs %.3f s, ratio %.2f\n", half, whole, whole / half);
}

}  // namespace
