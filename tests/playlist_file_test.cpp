#include <filesystem>
#include <functional>
#include <new>

#include "lists/lists.h"
#include "lists_fixture.h"

namespace {

const char kWriteFailure[] = "Impossibile scrivere il file\n    \"%s\"\nforse \xE8 utilizzato da un altro programma";
const char kOpenFailure[] = "Impossibile aprire il file\n    \"%s\"\nforse \xE8 utilizzato da un altro programma";
const char kOldBytes[] = "*M:\\Vecchia\r\n?M:\\Vecchia\\Natale\r\n";

std::string WithPath(const char* message, const std::string& path) {
  std::string text = message;
  return text.replace(text.find("%s"), 2, path);
}

class PlaylistFileTest : public ListsTest {
 protected:
  // Names in the temporary folder, to see that no temporary file is left.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(temp.native())) {
      names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  void ExpectOneMessage(const std::string& text, const char* caption = "ERRORE") {
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, text);
    EXPECT_EQ(platform.messages[0].caption, caption);
    EXPECT_EQ(platform.messages[0].style, MESSAGE_OK);
  }
  // The three folders of the usual example.
  void ChooseMusic() {
    Include("M:\\Musica");
    Include("M:\\Jazz");
    Exclude("M:\\Musica\\Natale");
  }
};

TEST_F(PlaylistFileTest, SaveAsWritesIncludedThenExcludedWithCrLf) {
  ChooseMusic();
  SaveAs("scelta.lis");
  EXPECT_EQ(temp.ReadBytes("scelta.lis"), "*M:\\Jazz\r\n*M:\\Musica\r\n?M:\\Musica\\Natale\r\n");
  EXPECT_EQ(Text(IDC_PLAYLIST_PATH), File("scelta.lis"));
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "N");
  EXPECT_EQ(Names(), (std::vector<std::string>{"M", "scelta.lis"}));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PlaylistFileTest, TwoEmptyListsGiveAnEmptyFile) {
  Include("M:\\Musica");
  SaveAs("scelta.lis");
  Remove(IDC_INCLUDED_LIST, 0);
  dlg.UserClick(IDC_SAVE);
  EXPECT_TRUE(temp.Exists("scelta.lis"));
  EXPECT_EQ(temp.ReadBytes("scelta.lis"), "");
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "N");
}

TEST_F(PlaylistFileTest, OpeningWhatWasSavedGivesTheSameLists) {
  Song("Musica\\a.mp3");
  Song("Jazz\\b.mp3");
  Song("Musica\\Natale\\c.mp3");
  ChooseMusic();
  Include("M:\\M\xFAsica\\Citt\xE0");
  auto included = Entries(IDC_INCLUDED_LIST);
  auto excluded = Entries(IDC_EXCLUDED_LIST);
  SaveAs("scelta.lis");
  Remove(IDC_INCLUDED_LIST, 1);
  Remove(IDC_EXCLUDED_LIST, 0);
  Include("M:\\Altro");
  EXPECT_EQ(Text(IDC_SONG_COUNT), "1");

  Open("scelta.lis");
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST), included);
  EXPECT_EQ(Entries(IDC_EXCLUDED_LIST), excluded);
  EXPECT_EQ(Text(IDC_SONG_COUNT), "2");
  EXPECT_EQ(Text(IDC_PLAYLIST_PATH), File("scelta.lis"));
}

// What the current file and the modified flag hold after each event, and
// the two save buttons that follow them.
TEST_F(PlaylistFileTest, CurrentFileAndFlagFollowEveryEvent) {
  temp.WriteBytes("due.lis", "?M:\\Altro\r\n");
  struct Step {
    const char* what;
    std::function<void()> act;
    std::string current;
    const char* flag;
    bool save;
    bool saveAs;
  };
  const std::string uno = File("uno.lis"), due = File("due.lis");
  const Step steps[] = {
      {"start-up", [] {}, "", "N", false, false},
      {"include", [&] { Include("M:\\Musica"); }, "", "S", true, true},
      // The save buttons are not updated by a save: the next event does it.
      {"save as", [&] { SaveAs("uno.lis"); }, uno, "N", true, true},
      {"next event", [&] { dlg.UserEscape(); }, uno, "N", false, true},
      {"exclude", [&] { Exclude("M:\\Musica\\Natale"); }, uno, "S", true, true},
      {"save", [&] { dlg.UserClick(IDC_SAVE); }, uno, "N", true, true},
      {"open while saved", [&] { Open("due.lis"); }, due, "N", false, false},
      {"remove", [&] { Remove(IDC_EXCLUDED_LIST, 0); }, due, "S", true, false},
      {"open while modified", [&] { Open("uno.lis"); }, uno, "S", true, true},
      {"save as cancelled",
       [&] {
         platform.saveAnswers.push_back(std::nullopt);
         dlg.UserClick(IDC_SAVE_AS);
       },
       uno, "S", true, true},
      {"open cancelled",
       [&] {
         platform.openAnswers.push_back(std::nullopt);
         dlg.UserClick(IDC_OPEN_PLAYLIST);
       },
       uno, "S", true, true},
      {"save again", [&] { dlg.UserClick(IDC_SAVE); }, uno, "N", true, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(Text(IDC_PLAYLIST_PATH), step.current);
    EXPECT_EQ(Text(IDC_MODIFIED_FLAG), step.flag);
    EXPECT_EQ(dlg.IsButtonEnabled(IDC_SAVE), step.save);
    EXPECT_EQ(dlg.IsButtonEnabled(IDC_SAVE_AS), step.saveAs);
  }
  EXPECT_EQ(temp.ReadBytes("uno.lis"), "*M:\\Musica\r\n?M:\\Musica\\Natale\r\n");
  EXPECT_TRUE(platform.messages.empty());
}

struct NoFileCase {
  const char* what;
  bool exiting;
  bool chosen;
};

class SavingWithoutAFile : public PlaylistFileTest, public ::testing::WithParamInterface<NoFileCase> {};

// Before any file was saved or opened, saving asks for a file: on "Salva e
// continua" and on Yes to the exit question alike.
TEST_P(SavingWithoutAFile, AsksForOne) {
  const NoFileCase& c = GetParam();
  Include("M:\\Musica");
  platform.saveAnswers.push_back(c.chosen ? std::optional<std::string>(File("nuova.lis")) : std::nullopt);
  if (c.exiting) dlg.UserClose(); else dlg.UserClick(IDC_SAVE);

  EXPECT_EQ(platform.saveDialogs, 1);
  EXPECT_EQ(temp.Exists("nuova.lis"), c.chosen);
  EXPECT_EQ(Text(IDC_PLAYLIST_PATH), c.chosen ? File("nuova.lis") : "");
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), c.chosen ? "N" : "S");
  // A cancelled dialog on exit keeps the window open.
  EXPECT_EQ(platform.ended, c.exiting && c.chosen);
}

INSTANTIATE_TEST_SUITE_P(Cases, SavingWithoutAFile,
                         ::testing::Values(NoFileCase{"save, chosen", false, true},
                                           NoFileCase{"save, cancelled", false, false},
                                           NoFileCase{"exit, chosen", true, true},
                                           NoFileCase{"exit, cancelled", true, false}));

struct Failure {
  const char* what;
  std::function<void(FakePlatform&)> inject;
};

const Failure kFailures[] = {
    {"cannot create", [](FakePlatform& os) { os.createsBeforeFailure = 0; }},
    {"disk full half-way", [](FakePlatform& os) { os.writeBytesBeforeFailure = 9; }},
    {"cannot replace", [](FakePlatform& os) { os.failReplace = true; }},
};

// A failed save leaves the old file byte for byte, no temporary file, and
// the lists still marked as modified.
TEST_F(PlaylistFileTest, AFailedSaveKeepsTheOldFileAndTheModifiedMark) {
  enum How { Save, SaveAsOther, ExitYes };
  for (How how : {Save, SaveAsOther, ExitYes}) {
    for (const Failure& failure : kFailures) {
      SCOPED_TRACE(std::string(failure.what) + " on " + std::to_string(how));
      platform = FakePlatform();
      platform.MapDrive('M', DRIVE_KIND_FIXED, temp.path() + "\\M");
      temp.WriteBytes("scelta.lis", kOldBytes);
      temp.WriteBytes("altra.lis", kOldBytes);
      dlg.ClearList(IDC_INCLUDED_LIST);
      dlg.ClearList(IDC_EXCLUDED_LIST);
      Open("scelta.lis");
      Include("M:\\Nuova");
      failure.inject(platform);
      if (how == Save) dlg.UserClick(IDC_SAVE);
      if (how == SaveAsOther) SaveAs("altra.lis");
      if (how == ExitYes) dlg.UserClose();

      std::string target = File(how == SaveAsOther ? "altra.lis" : "scelta.lis");
      size_t question = how == ExitYes ? 1 : 0;
      ASSERT_EQ(platform.messages.size(), question + 1);
      EXPECT_EQ(platform.messages[question].text, WithPath(kWriteFailure, target));
      EXPECT_EQ(platform.messages[question].caption, "ERRORE");
      EXPECT_EQ(platform.messages[question].style, MESSAGE_OK);
      EXPECT_EQ(temp.ReadBytes("scelta.lis"), kOldBytes);
      EXPECT_EQ(temp.ReadBytes("altra.lis"), kOldBytes);
      EXPECT_EQ(Names(), (std::vector<std::string>{"M", "altra.lis", "scelta.lis"}));
      EXPECT_EQ(Text(IDC_PLAYLIST_PATH), File("scelta.lis"));
      EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "S");
      EXPECT_FALSE(platform.ended);
    }
  }
}

TEST_F(PlaylistFileTest, AFileThatCannotBeReadChangesNothing) {
  Song("Musica\\a.mp3");
  Include("M:\\Musica");
  Exclude("M:\\Musica\\Natale");
  SaveAs("scelta.lis");
  Include("M:\\Jazz");
  temp.MakeFolder("cartella.lis");
  for (const char* name : {"manca.lis", "cartella.lis"}) {
    SCOPED_TRACE(name);
    platform.messages.clear();
    Open(name);
    ExpectOneMessage(WithPath(kOpenFailure, File(name)));
    EXPECT_EQ(Entries(IDC_INCLUDED_LIST), (std::vector<std::string>{"M:\\Jazz", "M:\\Musica"}));
    EXPECT_EQ(Entries(IDC_EXCLUDED_LIST), (std::vector<std::string>{"M:\\Musica\\Natale"}));
    EXPECT_EQ(Text(IDC_PLAYLIST_PATH), File("scelta.lis"));
    EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "S");
    EXPECT_EQ(Text(IDC_SONG_COUNT), "1");
  }
}

// The lists' text cannot be built: reported as a fatal failure, nothing written.
class StarvedStore : public TableStore {
 public:
  using TableStore::TableStore;
  bool starved = false;
  int ReadEntry(int id, int index, std::string& text) override {
    if (starved && (id == IDC_INCLUDED_LIST || id == IDC_EXCLUDED_LIST)) throw std::bad_alloc();
    return TableStore::ReadEntry(id, index, text);
  }
};

TEST_F(PlaylistFileTest, RunningOutOfMemoryEndsTheDialogWithoutWriting) {
  StarvedStore starved{MainDialogProc};
  starved.Initialise();
  temp.WriteBytes("scelta.lis", kOldBytes);
  starved.AddEntry(IDC_INCLUDED_LIST, "M:\\Musica");
  starved.SetText(IDC_PLAYLIST_PATH, File("scelta.lis"));
  starved.SetText(IDC_MODIFIED_FLAG, "S");
  starved.UserEscape();
  starved.starved = true;
  starved.UserClick(IDC_SAVE);
  ExpectOneMessage("Memoria insufficiente", "ERRORE IRRECUPERABILE");
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(temp.ReadBytes("scelta.lis"), kOldBytes);
  EXPECT_EQ(starved.ReadText(IDC_MODIFIED_FLAG, 8), "S");
}

}  // namespace
