// Drive letters on POSIX from MESCOLA_DRIVES.
#include <gtest/gtest.h>

#include "platform/posix/drive_map.h"

namespace {

TEST(DriveMap, ParsesLettersKindsAndDirectories) {
  const char* const rows[][2] = {
      {"C=fixed:/;E=removable:/media/player", "C=3:/;E=2:/media/player;"},
      {"e=cdrom:/mnt/cd/;f=remote:/net;g=ramdisk:/dev/shm//", "E=5:/mnt/cd;F=4:/net;G=6:/dev/shm;"},
      // A kind it does not know maps a drive of no use; entries that do not parse are left out.
      {"H=floppy:/mnt/h;E:removable:/x;=fixed:/;F=fixed:relative;1=fixed:/x;G=fixed;;C=fixed:/", "H=0:/mnt/h;C=3:/;"},
  };
  for (auto& row : rows) {
    SCOPED_TRACE(row[0]);
    std::string text;
    for (const MappedDrive& drive : ParseDriveMap(row[0])) {
      text += std::string(1, drive.letter) + "=" + std::to_string(drive.kind) + ":" + drive.directory + ";";
    }
    EXPECT_EQ(text, row[1]);
  }
}

}  // namespace
