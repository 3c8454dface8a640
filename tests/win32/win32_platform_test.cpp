// The platform seam on Windows: what the program relies on from each call.
#include <gtest/gtest.h>

#include <map>

#include "fake_platform.h"
#include "platform/win32/win32_platform.h"

namespace {

class Win32PlatformTest : public ::testing::Test {
 protected:
  std::string At(const std::string& name) { return temp.path() + "\\" + name; }

  Platform& os = NativePlatform();
  TempFolder temp;
};

TEST_F(Win32PlatformTest, ListingGivesNamesFlagsAndTheLowPartOfSizes) {
  temp.MakeFolder("Rock");
  temp.MakeFolder("Nascosta");
  ASSERT_TRUE(SetFileAttributesA(At("Nascosta").c_str(), FILE_ATTRIBUTE_HIDDEN));
  temp.WriteBytes("a.mp3", "12345");
  temp.MakeFile("grande.wav", (std::uintmax_t{1} << 32) + 7);

  struct Seen {
    bool folder, hidden;
    std::uint32_t size;
    bool operator==(const Seen& o) const {
      return folder == o.folder && hidden == o.hidden && size == o.size;
    }
  };
  std::map<std::string, Seen> seen;
  std::unique_ptr<FolderListing> listing = os.ListFolder(temp.path());
  ASSERT_TRUE(listing);
  for (FolderEntry entry; listing->Next(entry);) {
    seen[entry.name] = {entry.folder, entry.hidden, entry.folder ? 0 : listing->SizeLow()};
  }
  EXPECT_EQ(seen.size(), 6u);
  EXPECT_TRUE(seen["."].folder);
  EXPECT_TRUE(seen[".."].folder);
  EXPECT_EQ(seen["Rock"], (Seen{true, false, 0}));
  EXPECT_EQ(seen["Nascosta"], (Seen{true, true, 0}));
  EXPECT_EQ(seen["a.mp3"], (Seen{false, false, 5}));
  EXPECT_EQ(seen["grande.wav"], (Seen{false, false, 7}));
}

TEST_F(Win32PlatformTest, AFolderThatCannotBeListedGivesNoListing) {
  EXPECT_FALSE(os.ListFolder(At("manca")));
}

TEST_F(Win32PlatformTest, DrivesTellTheirKindAndSpaceWithOrWithoutBackslash) {
  for (const char* root : {"C:", "C:\\"}) {
    SCOPED_TRACE(root);
    EXPECT_EQ(os.GetDriveKind(root), DRIVE_KIND_FIXED);
    DiskSpace space;
    EXPECT_TRUE(os.GetFreeSpace(root, space));
    EXPECT_GT(space.clusterBytes, 0u);
    EXPECT_GT(space.freeBytes, 0);
  }
  // No drive Q: in the test prefix.
  EXPECT_EQ(os.GetDriveKind("Q:"), DRIVE_KIND_NO_ROOT_DIR);
  DiskSpace space{123, 456};
  EXPECT_FALSE(os.GetFreeSpace("Q:", space));
  EXPECT_EQ(space.freeBytes, 0);
  EXPECT_EQ(space.clusterBytes, 0u);
}

TEST_F(Win32PlatformTest, CopyTellsAnExistingDestinationFromOtherFailures) {
  temp.WriteBytes("canzone.mp3", "musica");
  unsigned long error = 1;
  EXPECT_EQ(os.CopyNewFile(At("canzone.mp3"), At("copia.mp3"), error), CopyResult::Copied);
  EXPECT_EQ(temp.ReadBytes("copia.mp3"), "musica");

  temp.WriteBytes("canzone.mp3", "altra musica");
  EXPECT_EQ(os.CopyNewFile(At("canzone.mp3"), At("copia.mp3"), error), CopyResult::Exists);
  EXPECT_EQ(error, static_cast<unsigned long>(ERROR_FILE_EXISTS));
  EXPECT_EQ(temp.ReadBytes("copia.mp3"), "musica");

  EXPECT_EQ(os.CopyNewFile(At("manca.mp3"), At("nuova.mp3"), error), CopyResult::Failed);
  EXPECT_EQ(error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(temp.Exists("nuova.mp3"));
}

TEST_F(Win32PlatformTest, OutputFilesAreNewOrEmptiedAndReadBackWhole) {
  const std::string bytes("*C:\\Musica\r\n?C:\\Musica\\Brutta\r\n\0fine", 34);
  temp.WriteBytes("lista.lis", "vecchio contenuto, piu lungo del nuovo");
  EXPECT_FALSE(os.CreateOutputFile(At("lista.lis"), true));
  std::unique_ptr<OutputFile> file = os.CreateOutputFile(At("lista.lis"), false);
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->Write(bytes));
  EXPECT_TRUE(file->Close());
  std::string read;
  EXPECT_TRUE(os.ReadWholeFile(At("lista.lis"), read));
  EXPECT_EQ(read, bytes);
  EXPECT_FALSE(os.ReadWholeFile(At("manca.lis"), read));

  temp.WriteBytes("nuova.tmp", "nuovo");
  EXPECT_TRUE(os.ReplaceWith(At("nuova.tmp"), At("lista.lis")));
  EXPECT_EQ(temp.ReadBytes("lista.lis"), "nuovo");
  EXPECT_FALSE(temp.Exists("nuova.tmp"));
}

TEST_F(Win32PlatformTest, CurrentDirectoryIsAWindowsPath) {
  char expected[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, expected);
  std::string current = os.CurrentDirectory();
  EXPECT_EQ(current, expected);
  ASSERT_GE(current.size(), 3u);
  EXPECT_EQ(current.substr(1, 2), ":\\");
}

}  // namespace
