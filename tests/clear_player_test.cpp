#include "copy_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// Clearing is seen through a run that copies nothing: the log's lines
// between its two clearing records.
class ClearPlayerTest : public CopyTest {
 protected:
  Lines ClearLines() {
    SetOrder(0, {}, {});
    CopyToPlayer(dlg);
    Lines lines = LogLines();
    auto first = std::find(lines.begin(), lines.end(), std::string("Inizio a cancellare il ") + kStamp);
    auto last = std::find(lines.begin(), lines.end(), std::string("Finito di cancellare il ") + kStamp);
    if (first == lines.end() || last == lines.end() || last < first) {
      ADD_FAILURE() << "no clearing records";
      return {};
    }
    return Lines(first + 1, last);
  }

  // The names of "Cancello %4d  %s \n" records, checking their numbers run 1, 2, 3...
  Lines LoggedNames(const Lines& records) {
    Lines names;
    for (const std::string& record : records) {
      std::string head = Format("Cancello %4d  ", static_cast<int>(names.size()) + 1);
      EXPECT_EQ(record.compare(0, head.size(), head), 0) << record;
      EXPECT_EQ(record.back(), ' ') << record;
      names.push_back(record.substr(head.size(), record.size() - head.size() - 1));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(ClearPlayerTest, DeletesOnlySongFilesInTheRoot) {
  for (const char* file : {"SONG.MP3", "other.Mp3", "x.wav", "notes.txt", "a", "a.mp3.bak",
                           "sub\\z.mp3", "Live.mp3\\y.mp3"}) {
    temp.WriteBytes(std::string("player\\") + file, "data");
  }

  Lines records = ClearLines();

  EXPECT_EQ(LoggedNames(records), (Lines{"SONG.MP3", "other.Mp3", "x.wav"}));
  EXPECT_EQ(PlayerFiles(), (Lines{"Live.mp3\\", "a", "a.mp3.bak", "notes.txt", "sub\\"}));
  EXPECT_TRUE(temp.Exists("player\\sub\\z.mp3"));
  EXPECT_TRUE(temp.Exists("player\\Live.mp3\\y.mp3"));
}

TEST_F(ClearPlayerTest, FileThatCannotBeDeletedIsLoggedAndCounted) {
  temp.WriteBytes("player\\kept.mp3", "data");
  temp.WriteBytes("player\\gone.mp3", "data");
  platform.lockedFiles = {"E:\\kept.mp3"};

  EXPECT_EQ(LoggedNames(ClearLines()), (Lines{"gone.mp3", "kept.mp3"}));
  EXPECT_EQ(PlayerFiles(), (Lines{"kept.mp3"}));
}

TEST_F(ClearPlayerTest, RootThatCannotBeListedOrIsEmptyLogsNothing) {
  for (const char* folder : {"player", "missing"}) {
    SCOPED_TRACE(folder);
    UsePlayerFolder(temp.path() + "\\" + folder);
    EXPECT_TRUE(ClearLines().empty());
  }
}

}  // namespace
