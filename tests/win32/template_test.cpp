// The real dialog template: every control the program addresses is there
// once, of the kind the program expects, and the user reads the right texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "store/controls.h"
#include "resource.h"

namespace {

struct Child {
  int id;
  std::string className;
  std::string text;
  LONG style;
};

class TemplateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dialog, nullptr);
    // Children in z order, which the dialog manager takes from the template.
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char name[64] = "";
      GetClassNameA(child, name, sizeof name);
      children.push_back({GetDlgCtrlID(child), name, WindowText(child),
                          GetWindowLongA(child, GWL_STYLE)});
    }
  }
  void TearDown() override { DestroyWindow(dialog); }

  static std::string WindowText(HWND window) {
    wchar_t text[256] = L"";
    return Narrow(text, static_cast<std::size_t>(GetWindowTextW(window, text, 256)));
  }

  HWND dialog = nullptr;
  std::vector<Child> children;
};

// The window class of each ControlKind, in the order of its values.
const char* const kClassOf[] = {"ListBox", "ListBox", "Edit", "Static", "Button", "Button", "SysTreeView32"};

// The style bits whose absence or presence the program relies on: only
// the sorted lists sort, every list but the selected folder notifies, and
// only the song count takes digits alone.
bool StyleFits(const ControlInfo& info, LONG style) {
  bool listBox = info.kind == ControlKind::List || info.kind == ControlKind::SortedList;
  if (listBox && ((style & LBS_NOTIFY) != 0) != (info.id != IDC_SELECTED_FOLDER)) return false;
  switch (info.kind) {
    case ControlKind::List: return !(style & LBS_SORT);
    case ControlKind::SortedList: return (style & LBS_SORT) != 0;
    case ControlKind::Edit: return ((style & ES_NUMBER) != 0) == (info.id == IDC_MAX_SONGS);
    case ControlKind::PushButton: return (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
    case ControlKind::RadioButton: return (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    default: return true;
  }
}

TEST_F(TemplateTest, EveryAddressedControlIsThereOnceOfItsKind) {
  std::map<int, int> seen;
  for (const Child& child : children) {
    ++seen[child.id];
    const ControlInfo* info = FindControl(child.id);
    SCOPED_TRACE(info ? info->name : std::to_string(child.id));
    // Anything the program does not address is a label.
    ASSERT_TRUE(info || child.id == IDC_LABEL);
    if (!info) continue;
    EXPECT_EQ(child.className, kClassOf[static_cast<int>(info->kind)]);
    EXPECT_EQ((child.style & WS_VISIBLE) != 0, info->visible);
    EXPECT_TRUE(StyleFits(*info, child.style));
  }
  for (std::size_t i = 0; i < kControlCount; ++i) {
    EXPECT_EQ(seen[kControls[i].id], 1) << kControls[i].name;
  }
}

TEST_F(TemplateTest, CaptionLabelsAndButtonsReadAsWrittenAndEnterMeansFineLavoro) {
  EXPECT_EQ(WindowText(dialog), "Mescola - riempi il lettore MP3");
  EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDC_FINISH);
  std::vector<std::string> labels;
  std::map<int, std::string> texts;
  for (const Child& child : children) {
    if (child.id == IDC_LABEL) labels.push_back(child.text);
    else if (child.className == "Button") texts[child.id] = child.text;
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"Risorse del computer", "Cartelle incluse", "Cartelle da ecludere",
                                             "Cartella selezionata:", "Lettore MP3:", "Numero max di brani",
                                             "Casualità - ripetizioni", "Brani presenti"}));
  EXPECT_EQ(texts, (std::map<int, std::string>{
                       {IDC_REPEAT_FORBIDDEN, "Vietate (tombola)"}, {IDC_REPEAT_ALLOWED, "Permesse (roulette)"},
                       {IDC_CLEAR_BEFORE, "Cancella prima di scrivere"}, {IDC_KEEP_EXISTING, "Non cancellare"},
                       {IDC_ADD_INCLUDED, "Aggiungi a Cartelle incluse"},
                       {IDC_REMOVE_INCLUDED, "Togli da Cartelle incluse"},
                       {IDC_CHOOSE_PLAYER, "Scegli come lettore"},
                       {IDC_ADD_EXCLUDED, "Aggiungi a Cartelle da escludere"},
                       {IDC_REMOVE_EXCLUDED, "Togli da Cartelle da escludere"}, {IDC_FINISH, "Fine lavoro"},
                       {IDC_OPEN_PLAYLIST, "Apri una playlist"}, {IDC_SAVE, "Salva e continua"},
                       {IDC_SAVE_AS, "Salva con nome"}, {IDC_SHUFFLE_COPY, "Mescola e copia"}}));
}

}  // namespace
