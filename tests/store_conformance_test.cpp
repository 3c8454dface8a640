// The store's semantics, checked against every realisation of the build:
// the table always, the Qt window where the Linux program is built, the real
// dialog from the template under Windows.
// A difference between them is a fault of the table or of the Qt window.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "store/table_store.h"
#include "store_harness.h"

namespace {

using Strings = std::vector<std::string>;

class TableHarness : public StoreHarness {
 public:
  StateStore& store() override { return table_; }
  void Type(int id, const std::string& keys) override { table_.UserType(id, keys); }
  void Click(int id) override { table_.UserClick(id); }
  void SelectEntry(int id, int index) override { table_.UserSelectEntry(id, index); }
  std::string ProgressBar(int id) override { return table_.ProgressBar(id); }

 private:
  FakeShell shell_;
  TableStore table_{shell_, &kEvents};
};

class StoreConformance : public ::testing::TestWithParam<Realisation> {
 protected:
  void SetUp() override {
    harness = GetParam().make();
    harness->commands.clear();
  }
  StateStore& store() { return harness->store(); }
  Strings Entries(int id) {
    Strings entries(static_cast<std::size_t>(store().CountEntries(id)));
    for (std::size_t i = 0; i < entries.size(); ++i) store().ReadEntry(id, static_cast<int>(i), entries[i]);
    return entries;
  }
  std::unique_ptr<StoreHarness> harness;
};

// Only the folder lists sort: ignoring case, letters with accents beside
// their base letter, in Latin, Greek and Cyrillic, and the scripts in that order.
TEST_P(StoreConformance, FolderListsSortAsWindowsDoes) {
  const std::pair<int, Strings> rows[] = {
      {IDC_SONG_NAMES, {"b", "A", "c"}},
      {IDC_INCLUDED_LIST, {"C:", "C:\\Èlite", "C:\\Fe", "c:\\jazz", "C:\\Musica", "C:\\Musica\\Rock", "D:"}},
      {IDC_EXCLUDED_LIST, {"caffe", "Caffè", "élan", "Eva", "Łódź", "Lupo", "Niño", "ñu", "Ola", "Über", "Zeta"}},
      {IDC_EXCLUDED_LIST, {"αβ", "άλφα", "Βήτα", "ελα", "Ελλάδα", "Ζήτα", "σας", "ΣΊΓΜΑ", "Ωμέγα"}},
      {IDC_EXCLUDED_LIST, {"абв", "Ёлка", "ель", "Жук", "Пётр", "петя", "Щука", "эхо", "Юг", "Яблоко"}},
      // Equal but for an accent, and "ß" as "ss"; added from the last.
      {IDC_EXCLUDED_LIST, {"Ala", "etage", "étage", "straße", "strat", "Zoo", "Ωρα"}},
      {IDC_EXCLUDED_LIST, {"Zoo", "Ωρα", "Яр"}},
  };
  for (const auto& [id, sorted] : rows) {
    SCOPED_TRACE(sorted[1]);
    store().ClearList(id);
    Strings added;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
      store().AddEntry(id, added.emplace_back(sorted[i * 13 % sorted.size()]));  // out of order
    }
    EXPECT_EQ(Entries(id), id == IDC_SONG_NAMES ? added : sorted);
  }
  EXPECT_EQ(store().FindExact(IDC_EXCLUDED_LIST, "яР"), 2);
}

// Texts appended in one call follow the entries already there, in their
// order, never sorted, empty ones too, equal neighbours too (deleting one
// leaves the other whole); making room first changes nothing.
TEST_P(StoreConformance, AppendedTextsKeepTheirOrder) {
  const std::pair<int, Strings> rows[] = {
      {IDC_ORDER_WITH_REPEAT, {"7", "", "7", "12"}},
      {IDC_EXCLUDED_LIST, {"C:\\B", "c:\\a"}},
      {IDC_SONG_FOLDERS, {"C:\\Z", "C:\\Z", "C:\\M", "C:\\M"}},
  };
  for (const auto& [id, texts] : rows) {
    SCOPED_TRACE(texts[0]);
    store().AddEntry(id, "C:\\Z");
    store().PrepareList(id, 5000, 20000);
    EXPECT_EQ(Entries(id), Strings{"C:\\Z"});
    std::string packed;
    for (const std::string& text : texts) packed += text + '\0';
    EXPECT_EQ(store().AppendEntries(id, packed), static_cast<int>(texts.size()));
    Strings all{"C:\\Z"};
    all.insert(all.end(), texts.begin(), texts.end());
    EXPECT_EQ(Entries(id), all);
    store().DeleteEntry(id, 1);
    all.erase(all.begin() + 1);
    EXPECT_EQ(Entries(id), all);
  }
}

// Typing into the song count takes four digits, and Backspace shortens a
// longer count the program set; each of the program's own writes into an
// edit field notifies once, before it returns.
TEST_P(StoreConformance, EditFieldsNotifyAndTheSongCountTakesFourDigits) {
  Strings seen;
  harness->onCommand = [&](int id, int code) {
    if (code == NOTIFY_EDIT_CHANGE) seen.push_back(store().ReadText(id, 64));
  };
  store().LimitTyping(IDC_MAX_SONGS, 4);
  harness->Type(IDC_MAX_SONGS, "1a2-34567");
  seen.erase(std::unique(seen.begin(), seen.end()), seen.end());  // Wine also notifies a refused key
  EXPECT_EQ(seen, Strings({"1", "12", "123", "1234"}));
  seen.clear();
  store().SetText(IDC_PLAYER_PATH, "E:");
  store().SetText(IDC_STATUS_LINE, "Nessun lettore collegato");
  store().SetText(IDC_MAX_SONGS, "123456");
  EXPECT_EQ(seen, Strings({"E:", "123456"}));
  harness->Type(IDC_MAX_SONGS, "7\b");  // past the limit already: refused
  EXPECT_EQ(seen.back(), "12345");
  EXPECT_EQ(store().ReadText(IDC_MAX_SONGS, 64), "12345");
}

// Disabled buttons deliver nothing; selecting an entry notifies, and
// deleting it leaves no selection.
TEST_P(StoreConformance, ButtonsAndSelection) {
  store().EnableButton(IDC_SAVE, false);
  harness->Click(IDC_SAVE);
  harness->Click(IDC_FINISH);
  EXPECT_EQ(harness->commands, (std::vector<std::pair<int, int>>{{IDC_FINISH, NOTIFY_BUTTON_CLICKED}}));
  for (const char* entry : {"C:\\A", "C:\\B", "C:\\C"}) store().AddEntry(IDC_EXCLUDED_LIST, entry);
  EXPECT_EQ(store().SelectedEntry(IDC_EXCLUDED_LIST), NO_ENTRY);
  harness->SelectEntry(IDC_EXCLUDED_LIST, 1);
  EXPECT_EQ(store().SelectedEntry(IDC_EXCLUDED_LIST), 1);
  EXPECT_EQ(harness->commands.back(), std::make_pair(IDC_EXCLUDED_LIST, NOTIFY_LIST_SELCHANGE));
  store().AddEntry(IDC_EXCLUDED_LIST, "C:\\0");  // the selection stays on its entry
  EXPECT_EQ(store().SelectedEntry(IDC_EXCLUDED_LIST), 2);
  store().DeleteEntry(IDC_EXCLUDED_LIST, 0);
  EXPECT_EQ(store().SelectedEntry(IDC_EXCLUDED_LIST), 1);
  store().DeleteEntry(IDC_EXCLUDED_LIST, 1);
  EXPECT_EQ(store().SelectedEntry(IDC_EXCLUDED_LIST), NO_ENTRY);
  std::string entry = "x";
  EXPECT_EQ(store().ReadEntry(IDC_EXCLUDED_LIST, 2, entry), NO_ENTRY);  // one past the last
  EXPECT_EQ(entry + std::to_string(store().CountEntries(IDC_EXCLUDED_LIST)), "2");
  store().AddEntry(IDC_SELECTED_FOLDER, "C:");
  harness->commands.clear();
  harness->SelectEntry(IDC_SELECTED_FOLDER, 0);  // the one list that tells nothing
  EXPECT_EQ(harness->commands.size(), 0u);
}

TEST_P(StoreConformance, TreeNodesKeepTextDataAndParent) {
  TreeNode root = store().InsertNode(0, "C:\\ DISCO FISSO", 3, 3, false);
  ASSERT_NE(root, 0u);
  store().SetNodeData(root, root);
  EXPECT_EQ(store().NodeData(root), root);
  EXPECT_EQ(store().NodeChildCount(root), 0);
  TreeNode rock = store().InsertNode(root, "Rock", 0, 1, true);
  store().InsertNode(root, "blues", 0, 1, true);
  EXPECT_EQ(store().NodeChildCount(root), 1);  // whether it has children, not how many
  EXPECT_EQ(store().NodeParent(rock), root);
  EXPECT_EQ(store().NodeParent(root), 0u);
  EXPECT_EQ(store().NodeText(rock, 260) + store().NodeText(root, 3), "RockC:");
}

// Hidden but during a run: busy (scanning), or how far out of how much.
TEST_P(StoreConformance, TheProgressBarShowsBusyOrHowFarThenHides) {
  const std::tuple<int, int, const char*> rows[] = {
      {0, 0, "busy"}, {3, 10, "3/10"}, {12, 10, "10/10"}, {0, 0, "busy"}, {9999, 10000, "9999/10000"}};
  EXPECT_EQ(harness->ProgressBar(IDC_PROGRESS), "");
  for (const auto& [position, range, seen] : rows) {
    SCOPED_TRACE(seen);
    store().ShowProgressBar(IDC_PROGRESS, position, range);
    EXPECT_EQ(harness->ProgressBar(IDC_PROGRESS), seen);
  }
  store().HideProgressBar(IDC_PROGRESS);
  EXPECT_EQ(harness->ProgressBar(IDC_PROGRESS), "");
}

}  // namespace

std::vector<Realisation>& Realisations() {
  static std::vector<Realisation> list{{"Table", [] { return std::unique_ptr<StoreHarness>(new TableHarness()); }}};
  return list;
}

namespace {

INSTANTIATE_TEST_SUITE_P(Realisations, StoreConformance, ::testing::ValuesIn(Realisations()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
