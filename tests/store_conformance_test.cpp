// The store's semantics, checked against every realisation of the build:
// the table always, the Qt window where the Linux program is built, the real
// dialog from the template under Windows.
// A difference between them is a fault of the table or of the Qt window.
#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "store/file_text.h"
#include "store_harness.h"

namespace {

class TableHarness : public StoreHarness {
 public:
  StateStore& store() override { return table_; }
  void Type(int id, const std::string& keys) override { table_.UserType(id, keys); }
  void Click(int id) override { table_.UserClick(id); }
  void SelectEntry(int id, int index) override { table_.UserSelectEntry(id, index); }

 private:
  FakeShell shell_;
  TableStore table_{shell_, &kEvents};
};

class StoreConformance : public ::testing::TestWithParam<Realisation> {
 protected:
  StateStore& store() { return harness->store(); }
  Strings Entries(int id) {
    Strings entries(static_cast<std::size_t>(store().CountEntries(id)));
    for (std::size_t i = 0; i < entries.size(); ++i) store().ReadEntry(id, static_cast<int>(i), entries[i]);
    return entries;
  }
  std::unique_ptr<StoreHarness> harness = GetParam().make(StoreHarness::kEvents, nullptr);
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

// Typing into the song count takes four digits, and Backspace shortens a
// longer count the program set; each of the program's own writes into an
// edit field notifies once, before it returns.
TEST_P(StoreConformance, EditFieldsNotifyAndTheSongCountTakesFourDigits) {
  Strings seen;
  harness->onCommand = [&](int id, int code) {
    if (code == NOTIFY_EDIT_CHANGE) seen.push_back(store().ReadText(id, 64));
  };
  // The texts typing makes. Wine also notifies a refused key, with the text unchanged.
  auto type = [&](const std::string& keys) {
    seen = {store().ReadText(IDC_MAX_SONGS, 64)};
    harness->Type(IDC_MAX_SONGS, keys);
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    return Strings(seen.begin() + 1, seen.end());
  };
  store().LimitTyping(IDC_MAX_SONGS, 4);
  EXPECT_EQ(type("1a2-34567"), Strings({"1", "12", "123", "1234"}));
  seen.clear();
  store().SetText(IDC_PLAYER_PATH, "E:");
  store().SetText(IDC_STATUS_LINE, "Nessun lettore collegato");
  store().SetText(IDC_MAX_SONGS, "123456");
  EXPECT_EQ(seen, Strings({"E:", "123456"}));
  EXPECT_EQ(type("7\b"), Strings({"12345"}));  // past the limit already: the 7 refused
}

// Disabled buttons deliver nothing; selecting an entry notifies, and
// deleting it leaves no selection.
TEST_P(StoreConformance, ButtonsAndSelection) {
  harness->commands.clear();  // what opening the window told
  store().EnableButton(IDC_SAVE, false);
  harness->Click(IDC_SAVE);
  harness->Click(IDC_FINISH);
  EXPECT_EQ(harness->commands, (std::vector<std::pair<int, int>>{{IDC_FINISH, NOTIFY_BUTTON_CLICKED}}));
  for (const char* entry : {"C:\\A", "C:\\B", "C:\\C"}) store().AddEntry(IDC_EXCLUDED_LIST, entry);
  harness->SelectEntry(IDC_EXCLUDED_LIST, 1);
  EXPECT_EQ(harness->commands.back(), std::make_pair(IDC_EXCLUDED_LIST, NOTIFY_LIST_SELCHANGE));
  // Entries added and deleted before it leave the selection on its entry.
  store().AddEntry(IDC_EXCLUDED_LIST, "C:\\0");
  store().DeleteEntry(IDC_EXCLUDED_LIST, 0);
  EXPECT_EQ(Entries(IDC_EXCLUDED_LIST).at(static_cast<std::size_t>(store().SelectedEntry(IDC_EXCLUDED_LIST))), "C:\\B");
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

// A hidden list takes batches until it holds megabytes, entries equal to
// the one before them among them, and gives them back whole, longer ones
// put in later too.
TEST_P(StoreConformance, HiddenListsTakeLargeBatchesWhole) {
  std::string all, back;
  std::size_t appended = 0;  // the bytes of all in the list already
  store().ClearList(IDC_SONG_FOLDERS);
  for (int n = 1; n <= 300000; ++n) {
    all += "C:\\Musica\\Artista dal nome lungo " + std::to_string(n / 2) + '\0';
    if (n % 50000 != 0) continue;
    EXPECT_EQ(store().AppendEntries(IDC_SONG_FOLDERS, std::string_view(all).substr(appended)), 50000);
    appended = all.size();
  }
  EXPECT_EQ(store().ReadEntries(IDC_SONG_FOLDERS, 0, 300000, back), 300000);
  EXPECT_TRUE(back == all);
  std::string longer = "C:\\" + std::string(300, 'e') + "\\Città";
  store().InsertEntry(IDC_SONG_FOLDERS, 1, longer);
  EXPECT_EQ(store().ReadEntries(IDC_SONG_FOLDERS, 1, 1, back), 1);
  EXPECT_EQ(back, longer + '\0');
}

// The windows of this build, each running the program or a recorder.
class WindowRun : public DialogTest, public ::testing::WithParamInterface<Realisation> {
 protected:
  std::unique_ptr<WindowHarness> Open(const DialogEvents& events) {
    return std::unique_ptr<WindowHarness>(static_cast<WindowHarness*>(GetParam().make(events, &shell).release()));
  }
};

// The window as the user meets it, every button enabled and both radio
// groups at their start-up choice: from the tree, where it starts, Tab
// visits every tab stop of the template in its order, the arrows move and
// check within a radio group; a screen reader names each control by the
// text that labels it on screen (a button by its own).
TEST_P(WindowRun, TheKeyboardReachesEveryControlInTheTemplatesOrder) {
  std::unique_ptr<WindowHarness> window = Open(StoreHarness::kEvents);
  for (const ControlInfo* c = kControls; c != kControls + kControlCount; ++c) {
    if (c->kind == ControlKind::PushButton) window->store().EnableButton(c->id, true);
  }
  for (int id : {IDC_REPEAT_FORBIDDEN, IDC_CLEAR_BEFORE}) window->store().CheckButton(id);
  const std::tuple<char, int, const char*> steps[] = {
      {'T', IDC_INCLUDED_LIST, "Cartelle incluse"}, {'T', IDC_EXCLUDED_LIST, "Cartelle da ecludere"},
      {'T', IDC_PLAYER_PATH, "Lettore MP3:"}, {'T', IDC_MAX_SONGS, "Numero max di brani"},
      {'T', IDC_REPEAT_FORBIDDEN, "Vietate (tombola)"}, {'D', IDC_REPEAT_ALLOWED, "Permesse (roulette)"},
      {'T', IDC_CLEAR_BEFORE, "Cancella prima di scrivere"}, {'D', IDC_KEEP_EXISTING, "Non cancellare"},
      {'T', IDC_ADD_INCLUDED, "Aggiungi a Cartelle incluse"}, {'T', IDC_REMOVE_INCLUDED, "Togli da Cartelle incluse"},
      {'T', IDC_CHOOSE_PLAYER, "Scegli come lettore"}, {'T', IDC_ADD_EXCLUDED, "Aggiungi a Cartelle da escludere"},
      {'T', IDC_REMOVE_EXCLUDED, "Togli da Cartelle da escludere"}, {'T', IDC_FINISH, "Fine lavoro"},
      {'T', IDC_OPEN_PLAYLIST, "Apri una playlist"}, {'T', IDC_SAVE, "Salva e continua"},
      {'T', IDC_SAVE_AS, "Salva con nome"}, {'T', IDC_SHUFFLE_COPY, "Mescola e copia"},
      {'T', IDC_FOLDER_TREE, "Risorse del computer"}, {'B', IDC_SHUFFLE_COPY, "Mescola e copia"}};
  EXPECT_EQ(window->Focused(), IDC_FOLDER_TREE);
  for (auto [key, id, name] : steps) {
    SCOPED_TRACE(std::string(1, key) + " to " + FindControl(id)->name);
    window->Key(key);
    EXPECT_EQ(window->Focused(), id);
    EXPECT_EQ(window->FocusedName(), name);
  }
  EXPECT_TRUE(window->store().IsButtonChecked(IDC_REPEAT_ALLOWED) && window->store().IsButtonChecked(IDC_KEEP_EXISTING));
}

// Escape and the close box during a scan or a copy reach the program
// through the window kept alive: it asks, Yes stops, No goes on. What the
// run leaves is checked byte for byte.
TEST_P(WindowRun, EscapeAndTheCloseBoxAskDuringTheScanAndTheCopy) {
  const std::tuple<const char*, bool, char, int> rows[] = {
      {"scan, Escape, Yes", false, 'E', ANSWER_YES}, {"scan, close box, No", false, 'X', ANSWER_NO},
      {"copy, close box, Yes", true, 'X', ANSWER_YES}, {"copy, Escape, No", true, 'E', ANSWER_NO}};
  // A name of three scripts, through the wide functions whatever the code page: the log turns UTF-8.
  const std::string song = "Пётр 東京 🎵", stamp = std::string(kStamp) + "\r\n";
  temp.Write("C\\Μουσική\\" + song + ".mp3", song);
  for (const auto& [what, copy, key, answer] : rows) {
    SCOPED_TRACE(what);
    const bool stopped = answer == ANSWER_YES;
    shell.ended = false;
    std::unique_ptr<WindowHarness> window = Open(MainDialogEvents());
    auto scan = [&] {
      window->store().AddEntry(IDC_SELECTED_FOLDER, "C:\\Μουσική");
      window->store().EnableButton(IDC_ADD_INCLUDED, true);
      window->Click(IDC_ADD_INCLUDED);
    };
    if (copy) scan();
    window->KeyLater(key);
    shell.answers = {answer};
    copy ? window->Click(IDC_SHUFFLE_COPY) : scan();
    std::string question = copy ? "Interrompere la copia?\nI brani già copiati restano nel lettore."
                                : "Interrompere la ricerca dei brani?";
    std::string closing = copy && stopped ? std::string("+") + kWarning + "Copiati 0 brani su 1 richiesti: copia interrotta.|48" : "";
    EXPECT_EQ(Messages(), kWarning + question + "|36" + closing);
    EXPECT_TRUE(window->Alive());  // the program, not the close box, ends the window
    EXPECT_EQ(window->store().ReadText(IDC_SONG_COUNT, 8), stopped && !copy ? "0" : "1");
    if (!copy) {
      EXPECT_EQ(window->store().ReadText(IDC_STATUS_LINE, 64) == "Ricerca dei brani interrotta", stopped);
      continue;
    }
    EXPECT_EQ(Files(), stopped ? Strings() : Strings{song + ".mp3"});
    if (!stopped) EXPECT_EQ(temp.Read("E\\" + song + ".mp3"), song);
    EXPECT_EQ(temp.Read("C\\lavoro\\Playlist.txt"), std::string(kUtf8Mark) + "PLAY-LIST\r\n\r\nInizio a cancellare il " + stamp +
              "Finito di cancellare il " + stamp + "\r\nInizio a copiare i brani il " + stamp + "\r\n" +
              (stopped ? "   - copia interrotta\r\n" : "   1 " + song + "\r\n") +
              "\r\nFinito di copiare i brani il " + stamp + "Scritti in totale 0 KBytes\r\n");
    EXPECT_EQ(temp.Read("C\\lavoro\\ultima.lis"), kUtf8Mark + std::string("*C:\\Μουσική\r\n"));
    EXPECT_TRUE(shell.ended);
  }
}

}  // namespace

std::vector<Realisation>& Realisations() {
  static std::vector<Realisation> list{
      {"Table", [](const DialogEvents&, Shell*) { return std::unique_ptr<StoreHarness>(new TableHarness()); }, false}};
  return list;
}

namespace {

INSTANTIATE_TEST_SUITE_P(Realisations, StoreConformance, ::testing::ValuesIn(Realisations()),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<Realisation> Windows() {
  std::vector<Realisation> windows;
  std::copy_if(Realisations().begin(), Realisations().end(), std::back_inserter(windows),
               [](const Realisation& each) { return each.window; });
  return windows;
}
// A build without a window has none.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WindowRun);
INSTANTIATE_TEST_SUITE_P(Windows, WindowRun, ::testing::ValuesIn(Windows()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
