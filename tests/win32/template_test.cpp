// The real dialog template: every control the program addresses is there
// once, of the kind and visibility the program expects.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "resource.h"
#include "store/controls.h"

TEST(Template, EveryAddressedControlIsThereOnceOfItsKind) {
  // The window class of each ControlKind, in the order of its values.
  const char* const classOf[] = {"ListBox", "ListBox", "Edit", "Static", "Button", "Button", "SysTreeView32"};
  HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                   [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  std::map<int, int> seen;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const ControlInfo* info = FindControl(GetDlgCtrlID(child));
    ++seen[GetDlgCtrlID(child)];
    ASSERT_TRUE(info || GetDlgCtrlID(child) == IDC_LABEL) << GetDlgCtrlID(child);  // anything else is a label
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (info) EXPECT_STREQ(name, classOf[static_cast<int>(info->kind)]) << info->name;
    if (info) EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0, info->visible) << info->name;
  }
  for (std::size_t i = 0; i < kControlCount; ++i) EXPECT_EQ(seen[kControls[i].id], 1) << kControls[i].name;
  EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDC_FINISH);  // Enter means "Fine lavoro"
  DestroyWindow(dialog);
}
