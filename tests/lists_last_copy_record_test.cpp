#include <filesystem>
#include <functional>

#include "lists/lists.h"
#include "lists_fixture.h"

namespace {

const char kOpenFailure[] = "Impossibile aprire il file \"ultima.lis\"\nforse \xE8 utilizzato da un altro programma";
const char kOldRecord[] = "*M:\\Vecchia\r\n";

class LastCopyRecordTest : public ListsTest {
 protected:
  LastCopyRecordTest() {
    platform.workingDirectory = temp.path();
    temp.MakeFolder("E");
    platform.MapDrive('E', DRIVE_KIND_REMOVABLE, temp.path() + "\\E");
  }
  // "Mescola e copia" with the player E: and five songs asked for.
  void ShuffleAndCopy() {
    dlg.SetText(IDC_PLAYER_PATH, "E:");
    dlg.UserType(IDC_MAX_SONGS, "5");
    dlg.UserClick(IDC_SHUFFLE_COPY);
  }
};

TEST_F(LastCopyRecordTest, ACopyWritesTheListsIncludedFirst) {
  Include("M:\\Musica");
  Include("M:\\Jazz");
  Exclude("M:\\Musica\\Natale");
  ShuffleAndCopy();
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(temp.ReadBytes("ultima.lis"), "*M:\\Jazz\r\n*M:\\Musica\r\n?M:\\Musica\\Natale\r\n");
  EXPECT_FALSE(temp.Exists("ultima.li~"));
  // The record is no playlist of the user's.
  EXPECT_EQ(Text(IDC_PLAYLIST_PATH), "");
  EXPECT_EQ(Text(IDC_MODIFIED_FLAG), "S");
  for (const ShownMessage& message : platform.messages) {
    EXPECT_EQ(message.text.find("ultima.lis"), std::string::npos) << message.text;
  }
}

TEST_F(LastCopyRecordTest, NoIncludedFolderNoRecord) {
  Exclude("M:\\Musica\\Natale");
  for (bool earlier : {false, true}) {
    SCOPED_TRACE(earlier ? "an earlier record" : "no record yet");
    if (earlier) temp.WriteBytes("ultima.lis", kOldRecord);
    EXPECT_EQ(WriteLastCopyRecord(dlg), 1);
    EXPECT_EQ(temp.Exists("ultima.lis"), earlier);
    if (earlier) EXPECT_EQ(temp.ReadBytes("ultima.lis"), kOldRecord);
  }
}

// Whatever fails, the earlier record stays whole and the user is told.
TEST_F(LastCopyRecordTest, AFailedWriteKeepsTheEarlierRecord) {
  struct Failure {
    const char* what;
    std::function<void()> inject;
  };
  const Failure failures[] = {
      {"cannot create", [&] { platform.createsBeforeFailure = 0; }},
      {"disk full half-way", [&] { platform.writeBytesBeforeFailure = 4; }},
      {"cannot replace", [&] { platform.failReplace = true; }},
  };
  Include("M:\\Musica");
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.what);
    temp.WriteBytes("ultima.lis", kOldRecord);
    platform.messages.clear();
    failure.inject();
    EXPECT_EQ(WriteLastCopyRecord(dlg), -1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, kOpenFailure);
    EXPECT_EQ(platform.messages[0].caption, "ERRORE");
    EXPECT_EQ(platform.messages[0].style, MESSAGE_OK);
    EXPECT_EQ(temp.ReadBytes("ultima.lis"), kOldRecord);
    EXPECT_FALSE(temp.Exists("ultima.li~"));
    platform.createsBeforeFailure = -1;
    platform.writeBytesBeforeFailure = -1;
    platform.failReplace = false;
  }
}

TEST_F(LastCopyRecordTest, TheProgramEndsEvenWhenTheRecordFails) {
  Include("M:\\Musica");
  platform.createsBeforeFailure = 0;
  ShuffleAndCopy();
  // The copy log could not be opened either; the record's message comes last.
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].text, kOpenFailure);
  EXPECT_TRUE(platform.ended);
}

// The record's path must fit a path buffer: 259 characters at most.
TEST_F(LastCopyRecordTest, AWorkingDirectoryTooLongForThePathIsReported) {
  Include("M:\\Musica");
  const std::size_t record = std::string("\\ultima.lis").size();
  for (std::size_t length : {PATH_BUFFER - 1 - record, PATH_BUFFER - record}) {
    SCOPED_TRACE(length);
    bool fits = length + record < PATH_BUFFER;
    std::string name(length - temp.path().size() - 1, 'd');
    std::error_code error;
    std::filesystem::create_directory(temp.Native(name), error);
    // Windows itself refuses a folder this long: nothing to see there.
    if (fits && error) GTEST_SKIP() << "no folder of " << length << " characters here";
    platform.workingDirectory = temp.path() + "\\" + name;
    platform.messages.clear();
    EXPECT_EQ(WriteLastCopyRecord(dlg), fits ? 1 : -1);
    EXPECT_EQ(temp.Exists(name + "\\ultima.lis"), fits);
    EXPECT_EQ(platform.messages.size(), fits ? 0u : 1u);
  }
}

TEST_F(LastCopyRecordTest, TheRecordOpensAsAPlaylist) {
  Include("M:\\Musica");
  Include("M:\\M\xFAsica");
  Exclude("M:\\Musica\\Natale");
  auto included = Entries(IDC_INCLUDED_LIST);
  auto excluded = Entries(IDC_EXCLUDED_LIST);
  ASSERT_EQ(WriteLastCopyRecord(dlg), 1);
  Remove(IDC_INCLUDED_LIST, 0);
  Open("ultima.lis");
  EXPECT_EQ(Entries(IDC_INCLUDED_LIST), included);
  EXPECT_EQ(Entries(IDC_EXCLUDED_LIST), excluded);
}

}  // namespace
