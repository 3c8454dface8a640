// Drive letters on POSIX: from MESCOLA_DRIVES and from the mounted volumes,
// and the paths they lead to.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "platform/posix/drive_map.h"

namespace {

std::string Listed(const std::vector<MappedDrive>& drives) {
  std::string text;
  for (const MappedDrive& d : drives) text += std::string(1, d.letter) + "=" + std::to_string(d.kind) + ":" + d.directory + ";";
  return text;
}

// Each text gives the drives it maps, or the first item it cannot read
// after "!". A folder that is not there (or no folder) maps no drive.
TEST(DriveMap, ParsesLettersKindsAndFoldersAndNamesWhatItCannotRead) {
  const char* const rows[][2] = {
      {"C=fixed:/;E=removable:/tmp", "C=3:/;E=2:/tmp;"},
      {"e=cdrom:/tmp/;f=remote:/usr;g=ramdisk:/dev//", "E=5:/tmp;F=4:/usr;G=6:/dev;"},
      {"C=fixed:/;E=removable:/manca;F=fixed:/dev/null", "C=3:/;"},
      {"", "!"}, {"C=fixed:/;", "C=3:/;!"}, {"garbage", "!garbage"}, {"=fixed:/", "!=fixed:/"},
      {"C=fixed:/;E:removable:/tmp", "C=3:/;!E:removable:/tmp"}, {"C=fixed:/;;E=removable:/tmp", "C=3:/;!"},
      {"1=fixed:/", "!1=fixed:/"}, {"C=fixed", "!C=fixed"}, {"C=fixed:", "!C=fixed:"}, {"E=:/tmp", "!E=:/tmp"},
      {"C=fixed:relative", "!C=fixed:relative"}, {"H=floppy:/tmp", "!H=floppy:/tmp"}};
  for (auto& row : rows) {
    SCOPED_TRACE(row[0]);
    std::vector<MappedDrive> drives;
    std::string bad;
    bool read = ParseDriveMap(row[0], drives, bad);
    EXPECT_EQ(Listed(drives) + (read ? "" : "!" + bad), row[1]);
  }
}

// A /sys/class/block made in a folder: a USB stick, an SD card, a CD, a loop
// device and a fixed disk, each linked to its device as the kernel links it.
TEST(MountedDrives, LetterOnlyRemovableAndOpticalVolumes) {
  TempFolder sys;
  // block device, its disk's folder, what the disk's files say
  const std::tuple<std::string, std::string, const char*, const char*> devices[] = {
      {"sdb1", "devices/pci/usb1/block/sdb", "removable", "0"}, {"sr0", "devices/ata2/block/sr0", "device/type", "5"},
      {"mmcblk0p1", "devices/pci/mmc0/block/mmcblk0", "removable", "1"},
      {"loop0", "devices/virtual/block/loop0", "removable", "0"}, {"sda2", "devices/ata1/block/sda", "removable", "0"}};
  fs::create_directories(sys.Native("class/block"));
  for (auto [name, disk, file, says] : devices) {
    sys.Write(disk + "/" + file, says + std::string("\n"));
    bool partition = disk.find(name) == std::string::npos;
    if (partition) sys.Write(disk + "/" + name + "/partition", "1\n");
    fs::create_directory_symlink(sys.Native(disk) / (partition ? name : ""), sys.Native("class/block") / name);
  }
  const std::pair<const char*, const char*> rows[] = {
      {"/dev/sdb1 /media/utente/SAN\\040DISK vfat rw 0 0", "D=2:/media/utente/SAN DISK;"},
      {"/dev/mmcblk0p1 /media/utente/SD vfat rw 0 0", "D=2:/media/utente/SD;"},
      {"/dev/sr0 /media/utente/CD iso9660 ro 0 0", "D=5:/media/utente/CD;"},
      {"/dev/loop0 /snap/core squashfs ro 0 0", ""}, {"/dev/sda2 /home ext4 rw 0 0", ""}};
  for (auto [mounts, expected] : rows) {
    SCOPED_TRACE(mounts);
    EXPECT_EQ(Listed(MountedDrives(mounts, sys.Native("class/block").string())), expected);
  }
}

// "." and ".." go by their names and never above the drive's folder.
TEST(DriveMap, PathsStayOnTheirDrive) {
  const char* const rows[][3] = {
      {"/media/player", "\\..", "/media/player"}, {"/media/player", "\\..\\..\\x", "/media/player/x"},
      {"/media/player", "\\.\\a\\..\\b", "/media/player/b"}, {"/media/player", "\\Musica\\\\Rock\\", "/media/player/Musica/Rock"},
      {"/", "\\..\\etc", "/etc"}, {"/", "\\a\\..\\..\\..\\b\\.", "/b"}};
  for (auto& row : rows) EXPECT_EQ(NativeOnDrive(row[0], row[1]), row[2]) << row[0] << " " << row[1];
}

// The file systems the kernel makes up are neither listed nor shown in the
// listing of their parent; C: is the root folder when MESCOLA_DRIVES is unset.
TEST(DriveMap, VirtualFileSystemsAreNeverListed) {
  if (DriveMap().empty() || DriveMap()[0].directory != "/") GTEST_SKIP() << "MESCOLA_DRIVES maps C: elsewhere";
  for (auto [folder, listed] : {std::pair{"C:\\proc\\self", false}, {"C:\\sys", false}, {"C:\\dev", false},
                                {"C:\\tmp", true}, {"C:\\dev\\shm", true}})
    EXPECT_EQ(NativePlatform().ListFolder(folder) != nullptr, listed) << folder;
  std::string names = "/";
  FolderEntry entry;
  for (auto root = NativePlatform().ListFolder("C:\\"); root->Next(entry);) names += entry.name + "/";
  EXPECT_NE(names.find("/tmp/"), std::string::npos) << names;
  for (const char* hidden : {"/proc/", "/sys/", "/dev/"}) EXPECT_EQ(names.find(hidden), std::string::npos) << names;
}

}  // namespace
