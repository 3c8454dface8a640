#include <filesystem>
#include <functional>

#include "dialog_fixture.h"
#include "lists/lists.h"

namespace {

struct ReadCase {
  const char* what;
  std::string text;
  Strings included;
  Strings excluded;
};

const std::string k259(259, 'x');
std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  while (times-- > 0) repeated += text;
  return repeated;
}
const std::string k259Cyrillic = Repeat("ж", 259);

const ReadCase kReadCases[] = {
    {"as written", "*C:\\Jazz\r\n*C:\\Musica\r\n?C:\\Musica\\Natale\r\n",
     {"C:\\Jazz", "C:\\Musica"}, {"C:\\Musica\\Natale"}},
    {"empty text", "", {}, {}},
    {"a marker alone", "*", {}, {}},
    {"a marker and a line end", "*\r\n", {""}, {}},
    {"an empty line keeps the marker", "?C:\\A\r\n\r\n", {}, {"", "C:\\A"}},
    {"last line without line end", "*C:\\A\r\n?C:\\B", {"C:\\A"}, {"C:\\B"}},
    {"LF alone", "*C:\\A\n?C:\\B\n", {"C:\\A"}, {"C:\\B"}},
    {"CR alone", "*C:\\A\r?C:\\B\r", {"C:\\A"}, {"C:\\B"}},
    // Only an LF is taken as part of a CR's line end, never the byte after it.
    {"CR then CR LF", "*C:\\A\r\r\nC:\\B\r\n", {"", "C:\\A", "C:\\B"}, {}},
    {"LF then CR", "*C:\\A\n\rC:\\B", {"", "C:\\A", "C:\\B"}, {}},
    {"first byte is no marker", "C:\\Musica\r\n", {}, {":\\Musica"}},
    {"any other marker means excluded", "#C:\\A\r\n", {}, {"C:\\A"}},
    {"lines without marker follow the last one", "?C:\\A\r\nC:\\B\r\n*C:\\C\r\nC:\\D\r\n",
     {"C:\\C", "C:\\D"}, {"C:\\A", "C:\\B"}},
    {"a marker inside a line moves it", "?C:\\Mu*sica\r\n*C:\\Ro?ck\r\n", {"C:\\Musica"}, {"C:\\Rock"}},
    {"duplicates and letter case kept", "*C:\\Musica\r\n*c:\\musica\r\n*C:\\Musica\r\n",
     {"C:\\Musica", "c:\\musica", "C:\\Musica"}, {}},
    {"unsorted, excluded first", "?C:\\Z\r\n*C:\\Rock\r\n*C:\\blues\r\n*C:\\Jazz\r\n",
     {"C:\\blues", "C:\\Jazz", "C:\\Rock"}, {"C:\\Z"}},
    // Windows-1252, UTF-8 from an editor, and UTF-8 after its mark (which is
    // no part of the first line) all give the same entries.
    {"Windows-1252", "*C:\\Caff\xE8\r\n?C:\\\x80\x81\r\n", {"C:\\Caffè"}, {"C:\\€\u0081"}},
    {"UTF-8 without mark", "*C:\\Caffè\r\n?C:\\€\u0081\r\n", {"C:\\Caffè"}, {"C:\\€\u0081"}},
    {"UTF-8 with mark", "\xEF\xBB\xBF*C:\\Caffè\r\n?C:\\Пётр\r\n", {"C:\\Caffè"}, {"C:\\Пётр"}},
    {"not UTF-8 is Windows-1252", "*C:\\\xC3\xA8\xE8\r\n", {"C:\\Ã¨è"}, {}},
    {"a NUL ends the text", std::string("*C:\\A\r\n*C:\\B\0\r\n*C:\\C\r\n", 19), {"C:\\A", "C:\\B"}, {}},
    // A path is at most 259 characters: longer ones are left out, never cut.
    {"259 characters", "*" + k259 + "\r\n", {k259}, {}},
    {"260 characters", "*" + k259 + "y\r\n*C:\\After\r\n", {"C:\\After"}, {}},
    {"markers do not count", "*" + k259.substr(0, 200) + "**??" + k259.substr(200) + "\r\n", {}, {k259}},
    {"long last line without line end", "*C:\\A\r\n*" + k259 + "y", {"C:\\A"}, {}},
    // Characters, not bytes: 259 Cyrillic letters fit, 260 do not.
    {"259 Cyrillic letters", "\xEF\xBB\xBF*" + k259Cyrillic + "\r\n?" + k259Cyrillic + "я\r\n", {k259Cyrillic}, {}},
};

const char kOldBytes[] = "*C:\\Vecchia\r\n?C:\\Vecchia\\Natale\r\n";

class ListsTest : public DialogTest {
 protected:
  void SetUp() override { StartComputer(); }
};

TEST_F(ListsTest, ReadsEveryKindOfLine) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.what);
    dlg.ClearList(IDC_INCLUDED_LIST);
    dlg.ClearList(IDC_EXCLUDED_LIST);
    ParsePlaylist(dlg, c.text);
    EXPECT_EQ(Entries(IDC_INCLUDED_LIST), c.included);
    EXPECT_EQ(Entries(IDC_EXCLUDED_LIST), c.excluded);
  }
}

// Every list change marks the lists as modified and rescans, even one that
// adds nothing; the selected folder is used up by an add or a remove.
TEST_F(ListsTest, AddingAndRemovingFoldersMarksTheListsAndRescans) {
  temp.MakeFile("C\\Musica\\Rock\\a.mp3");
  temp.MakeFile("C\\Musica\\Jazz\\b.mp3");
  SelectNode({"C:\\ DISCO FISSO"});
  dlg.UserClick(IDC_ADD_EXCLUDED);
  for (const char* folder : {"C:\\Musica\\Rock", "C:\\Musica\\blues", "C:\\Musica\\Jazz"}) Include(folder);
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST), Strings({"C:\\Musica\\blues", "C:\\Musica\\Jazz", "C:\\Musica\\Rock"}));
  EXPECT_EQ(Entries(IDC_EXCLUDED_LIST), Strings({"C:"}));
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings());
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_ADD_INCLUDED) || dlg.IsButtonEnabled(IDC_ADD_EXCLUDED));
  EXPECT_EQ(Text(IDC_SONG_COUNT), "0");  // C: excludes everything on it
  Remove(IDC_EXCLUDED_LIST, 0);
  EXPECT_EQ(Text(IDC_SONG_COUNT), "2");
  // A folder may stand in both lists, and below an included folder.
  Exclude("C:\\Musica\\Rock");
  Include("C:\\Musica");
  EXPECT_EQ(Text(IDC_SONG_COUNT), "2");  // Jazz twice, Rock never
  temp.MakeFile("C\\Musica\\c.mp3");
  dlg.SetText(IDC_MODIFIED_FLAG, "N");
  Include("c:\\musica\\JAZZ");
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST).size(), 4u);
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings({"c:\\musica\\JAZZ"}));
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "S");
  EXPECT_EQ(Text(IDC_SONG_COUNT), "3");
  dlg.UserSelectEntry(IDC_INCLUDED_LIST, 2);
  EXPECT_TRUE(dlg.IsButtonEnabled(IDC_REMOVE_INCLUDED));
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_REMOVE_EXCLUDED));
  dlg.UserClick(IDC_REMOVE_INCLUDED);
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST), Strings({"C:\\Musica", "C:\\Musica\\blues", "C:\\Musica\\Rock"}));
  EXPECT_EQ(Entries(IDC_EXCLUDED_LIST), Strings({"C:\\Musica\\Rock"}));
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings());
  EXPECT_EQ(Text(IDC_SONG_COUNT), "2");
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_REMOVE_INCLUDED));
}

// Saved to the byte, and the same lists when opened again; the last-copy
// record needs an included folder and leaves an older one as it was.
TEST_F(ListsTest, SavedListsOpenAgainAsTheyWere) {
  for (const char* song : {"C\\Musica\\a.mp3", "C\\Jazz\\b.mp3", "C\\Musica\\Natale\\c.mp3"}) temp.MakeFile(song);
  Include("C:\\Musica");
  Include("C:\\Jazz");
  Exclude("C:\\Musica\\Natale");
  SaveAs("scelta.lis");
  EXPECT_EQ(temp.ReadBytes("C\\liste\\scelta.lis"), "*C:\\Jazz\r\n*C:\\Musica\r\n?C:\\Musica\\Natale\r\n");
  EXPECT_EQ(Files("C\\liste"), Strings({"scelta.lis"}));
  Include("C:\\Música\\Città");
  Include("C:\\" + std::string(256, 'x'));
  Strings included = Entries(IDC_INCLUDED_LIST), excluded = Entries(IDC_EXCLUDED_LIST);
  dlg.UserClick(IDC_SAVE);
  // Names that fit Windows-1252 are saved in it, as they always were.
  std::string saved = temp.ReadBytes("C\\liste\\scelta.lis");
  EXPECT_EQ(saved.substr(0, 3), "*C:");
  EXPECT_NE(saved.find("\n*C:\\M\xFAsica\\Citt\xE0\r\n"), std::string::npos);
  Remove(IDC_INCLUDED_LIST, 0);
  Exclude("C:\\Altro");
  EXPECT_EQ(Text(IDC_SONG_COUNT), "1");
  Open("scelta.lis");
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST), included);
  EXPECT_EQ(Entries(IDC_EXCLUDED_LIST), excluded);
  EXPECT_EQ(Text(IDC_SONG_COUNT), "2");

  while (dlg.CountEntries(IDC_INCLUDED_LIST)) Remove(IDC_INCLUDED_LIST, 0);
  while (dlg.CountEntries(IDC_EXCLUDED_LIST)) Remove(IDC_EXCLUDED_LIST, 0);
  dlg.UserClick(IDC_SAVE);
  EXPECT_TRUE(temp.Exists("C\\liste\\scelta.lis"));
  EXPECT_EQ(temp.ReadBytes("C\\liste\\scelta.lis"), "");
  Exclude("C:\\Musica\\Natale");
  EXPECT_EQ(WriteLastCopyRecord(dlg), 1);
  EXPECT_FALSE(temp.Exists("C\\lavoro\\ultima.lis"));
  temp.WriteBytes("C\\lavoro\\ultima.lis", kOldBytes);
  EXPECT_EQ(WriteLastCopyRecord(dlg), 1);
  EXPECT_EQ(temp.ReadBytes("C\\lavoro\\ultima.lis"), kOldBytes);
  EXPECT_TRUE(shell.messages.empty());
}

// What the current file and the modified flag hold after each event, and
// the save buttons that follow them. A file that cannot be read changes
// nothing, and says so.
TEST_F(ListsTest, CurrentFileAndFlagFollowEveryEvent) {
  temp.WriteBytes("C\\liste\\due.lis", "?C:\\Altro\r\n");
  temp.MakeFile("C\\Musica\\a.mp3");
  temp.MakeFolder("C\\liste\\cartella.lis");
  struct Step {
    const char* what;
    std::function<void()> act;
    std::string current, flag;
    bool save, saveAs;
  };
  const std::string uno = File("uno.lis"), due = File("due.lis");
  auto cancel = [&](auto& answers, int button) {
    answers.push_back(std::nullopt);
    dlg.UserClick(button);
  };
  auto openFails = [&](const char* name) {
    Open(name);
    ExpectMessage("Impossibile aprire il file\n    \"" + File(name) + "\"\n"
                  "forse è utilizzato da un altro programma", "ERRORE", MESSAGE_OK);
  };
  const Step steps[] = {
      {"start-up", [] {}, "", "N", false, false},
      // Excluded folders alone give nothing to save as.
      {"exclude", [&] { Exclude("C:\\Musica\\Natale"); }, "", "S", true, false},
      {"include", [&] { Include("C:\\Musica"); }, "", "S", true, true},
      // The save buttons are not updated by a save: the next event does it.
      {"save as", [&] { SaveAs("uno.lis"); }, uno, "N", true, true},
      {"next event", [&] { dlg.UserEscape(); }, uno, "N", false, true},
      {"open while saved", [&] { Open("due.lis"); }, due, "N", false, false},
      {"remove", [&] { Remove(IDC_EXCLUDED_LIST, 0); }, due, "S", true, false},
      {"open while modified", [&] { Open("uno.lis"); }, uno, "S", true, true},
      {"save as cancelled", [&] { cancel(shell.saveAnswers, IDC_SAVE_AS); }, uno, "S", true, true},
      {"open cancelled", [&] { cancel(shell.openAnswers, IDC_OPEN_PLAYLIST); }, uno, "S", true, true},
      {"open a missing file", [&] { openFails("manca.lis"); }, uno, "S", true, true},
      {"open a folder", [&] { openFails("cartella.lis"); }, uno, "S", true, true},
      {"save", [&] { dlg.UserClick(IDC_SAVE); }, uno, "N", true, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(Texts({IDC_PLAYLIST_PATH, IDC_MODIFIED_FLAG}), Strings({step.current, step.flag}));
    EXPECT_EQ(std::make_pair(dlg.IsButtonEnabled(IDC_SAVE), dlg.IsButtonEnabled(IDC_SAVE_AS)),
              std::make_pair(step.save, step.saveAs));
    EXPECT_TRUE(dlg.IsButtonEnabled(IDC_OPEN_PLAYLIST));
  }
  EXPECT_EQ(temp.ReadBytes("C\\liste\\uno.lis"), "*C:\\Musica\r\n?C:\\Musica\\Natale\r\n");
  EXPECT_EQ(Text(IDC_SONG_COUNT), "1");
  EXPECT_TRUE(shell.messages.empty());
}

// Before any file was saved or opened, "Salva e continua" and Yes to the
// exit question ask for a file; cancelling it on exit keeps the window open.
TEST_F(ListsTest, SavingWithoutAFileAsksForOne) {
  for (bool exiting : {false, true}) {
    for (bool chosen : {true, false}) {
      SCOPED_TRACE(testing::Message() << "exiting " << exiting << ", chosen " << chosen);
      std::filesystem::remove(temp.Native("C\\liste\\nuova.lis"));
      dlg.SetText(IDC_PLAYLIST_PATH, "");
      shell.ended = false;
      Include("C:\\Musica");
      shell.saveAnswers = {chosen ? std::optional<std::string>(File("nuova.lis")) : std::nullopt};
      if (exiting) dlg.UserClose(); else dlg.UserClick(IDC_SAVE);

      EXPECT_TRUE(shell.saveAnswers.empty());
      EXPECT_EQ(temp.Exists("C\\liste\\nuova.lis"), chosen);
      EXPECT_EQ(Texts({IDC_PLAYLIST_PATH, IDC_MODIFIED_FLAG}),
                chosen ? Strings({File("nuova.lis"), "N"}) : Strings({"", "S"}));
      EXPECT_EQ(shell.ended, exiting && chosen);
    }
  }
}

// Whatever fails, through any of the writers, the user is told, the old
// file stays byte for byte with no temporary file left, and the lists stay
// marked as modified.
TEST_F(ListsTest, AFailedSaveKeepsTheOldFileAndTheModifiedMark) {
  enum How { Save, SaveAsOther, ExitYes, Record };
  const char* const files[] = {"C\\liste\\scelta.lis", "C\\liste\\altra.lis", "C\\lavoro\\ultima.lis"};
  for (How how : {Save, SaveAsOther, ExitYes, Record}) {
    for (int failure = 0; failure < 3; ++failure) {
      SCOPED_TRACE(testing::Message() << "failure " << failure << " on " << how);
      for (const char* file : files) temp.WriteBytes(file, kOldBytes);
      Open("scelta.lis");
      Include("C:\\Nuova");
      shell.messages.clear();
      platform.failCreate = failure == 0;
      platform.writeBytesBeforeFailure = failure == 1 ? 9 : -1;  // the disk fills up half-way
      platform.failReplace = failure == 2;
      if (how == Save) dlg.UserClick(IDC_SAVE);
      if (how == SaveAsOther) SaveAs("altra.lis");
      if (how == ExitYes) dlg.UserClose();
      if (how == Record) EXPECT_EQ(WriteLastCopyRecord(dlg), -1);

      if (how == ExitYes) shell.messages.erase(shell.messages.begin());  // the question
      std::string written = how == SaveAsOther ? File("altra.lis") : File("scelta.lis");
      ExpectMessage(how == Record ? "Impossibile aprire il file \"ultima.lis\"\n"
                                    "forse è utilizzato da un altro programma"
                                  : "Impossibile scrivere il file\n    \"" + written +
                                        "\"\nforse è utilizzato da un altro programma",
                    "ERRORE", MESSAGE_OK);
      for (const char* file : files) EXPECT_EQ(temp.ReadBytes(file), kOldBytes) << file;
      EXPECT_EQ(Files("C\\liste"), Strings({"altra.lis", "scelta.lis"}));
      EXPECT_EQ(Files("C\\lavoro"), Strings({"ultima.lis"}));
      EXPECT_EQ(Texts({IDC_PLAYLIST_PATH, IDC_MODIFIED_FLAG}), Strings({File("scelta.lis"), "S"}));
      EXPECT_FALSE(shell.ended);
      platform.failCreate = platform.failReplace = false;
      platform.writeBytesBeforeFailure = -1;
    }
  }
}

}  // namespace
