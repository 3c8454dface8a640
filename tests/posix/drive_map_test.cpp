// Drive letters on POSIX from MESCOLA_DRIVES, and the paths they lead to.
#include <gtest/gtest.h>

#include "platform/posix/drive_map.h"

namespace {

// Each text gives the drives it maps, or the first item it cannot read
// after "!". A folder that is not there (or no folder) maps no drive.
TEST(DriveMap, ParsesLettersKindsAndFoldersAndNamesWhatItCannotRead) {
  const char* const rows[][2] = {
      {"C=fixed:/;E=removable:/tmp", "C=3:/;E=2:/tmp;"},
      {"e=cdrom:/tmp/;f=remote:/usr;g=ramdisk:/dev//", "E=5:/tmp;F=4:/usr;G=6:/dev;"},
      {"C=fixed:/;E=removable:/manca;F=fixed:/dev/null", "C=3:/;"},
      {"", "!"},
      {"C=fixed:/;", "C=3:/;!"},
      {"garbage", "!garbage"},
      {"C=fixed:/;E:removable:/tmp", "C=3:/;!E:removable:/tmp"},
      {"=fixed:/", "!=fixed:/"},
      {"1=fixed:/", "!1=fixed:/"},
      {"C=fixed", "!C=fixed"},
      {"C=fixed:", "!C=fixed:"},
      {"C=fixed:relative", "!C=fixed:relative"},
      {"H=floppy:/tmp", "!H=floppy:/tmp"},
      {"E=:/tmp", "!E=:/tmp"},
      {"C=fixed:/;;E=removable:/tmp", "C=3:/;!"},
  };
  for (auto& row : rows) {
    SCOPED_TRACE(row[0]);
    std::vector<MappedDrive> drives;
    std::string text, bad;
    bool read = ParseDriveMap(row[0], drives, bad);
    for (const MappedDrive& drive : drives) {
      text += std::string(1, drive.letter) + "=" + std::to_string(drive.kind) + ":" + drive.directory + ";";
    }
    EXPECT_EQ(text + (read ? "" : "!" + bad), row[1]);
  }
}

// "." and ".." go by their names and never above the drive's folder.
TEST(DriveMap, PathsStayOnTheirDrive) {
  const char* const rows[][3] = {
      {"/media/player", "\\..", "/media/player"},
      {"/media/player", "\\..\\..\\x", "/media/player/x"},
      {"/media/player", "\\.\\a\\..\\b", "/media/player/b"},
      {"/media/player", "", "/media/player"},
      {"/media/player", "\\Musica\\\\Rock\\", "/media/player/Musica/Rock"},
      {"/", "\\..\\etc", "/etc"},
      {"/", "\\..", "/"},
      {"/", "\\a\\..\\..\\..\\b\\.", "/b"},
  };
  for (auto& row : rows) {
    SCOPED_TRACE(std::string(row[0]) + " " + row[1]);
    EXPECT_EQ(NativeOnDrive(row[0], row[1]), row[2]);
  }
}

// The file systems the kernel makes up are neither listed nor shown in the
// listing of their parent; C: is the root folder when MESCOLA_DRIVES is unset.
TEST(DriveMap, VirtualFileSystemsAreNeverListed) {
  if (DriveMap().empty() || DriveMap()[0].directory != "/") GTEST_SKIP() << "MESCOLA_DRIVES maps C: elsewhere";
  const std::pair<const char*, bool> rows[] = {
      {"C:\\proc", false}, {"C:\\proc\\self", false}, {"C:\\sys", false}, {"C:\\dev", false},
      {"C:\\dev\\pts", false}, {"C:\\", true}, {"C:\\tmp", true}, {"C:\\dev\\shm", true},
  };
  for (auto [folder, listed] : rows) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(NativePlatform().ListFolder(folder) != nullptr, listed);
  }
  std::string names = "/";
  FolderEntry entry;
  for (auto root = NativePlatform().ListFolder("C:\\"); root->Next(entry);) names += entry.name + "/";
  EXPECT_EQ(names.find("/tmp/") != std::string::npos, true) << names;
  for (const char* hidden : {"/proc/", "/sys/", "/dev/"}) EXPECT_EQ(names.find(hidden), std::string::npos) << names;
}

}  // namespace
