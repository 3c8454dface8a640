// Drive letters on POSIX: from MESCOLA_DRIVES, and from the mounted volumes.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "platform/posix/drive_map.h"

namespace {

std::string Listed(const std::vector<MappedDrive>& drives) {
  std::string text;
  for (const MappedDrive& drive : drives) {
    text += std::string(1, drive.letter) + "=" + std::to_string(drive.kind) + ":" + drive.directory + ";";
  }
  return text;
}

TEST(DriveMap, ParsesLettersKindsAndDirectories) {
  const char* const rows[][2] = {
      {"C=fixed:/;E=removable:/media/player", "C=3:/;E=2:/media/player;"},
      {"e=cdrom:/mnt/cd/;f=remote:/net;g=ramdisk:/dev/shm//", "E=5:/mnt/cd;F=4:/net;G=6:/dev/shm;"},
      // A kind it does not know maps a drive of no use; entries that do not parse are left out.
      {"H=floppy:/mnt/h;E:removable:/x;=fixed:/;F=fixed:relative;1=fixed:/x;G=fixed;;C=fixed:/", "H=0:/mnt/h;C=3:/;"},
  };
  for (auto& row : rows) {
    SCOPED_TRACE(row[0]);
    EXPECT_EQ(Listed(ParseDriveMap(row[0])), row[1]);
  }
}

// A /sys/class/block made in a folder: a USB stick, an SD card, a CD, a loop
// device and a fixed disk, each linked to its device as the kernel links it.
TEST(MountedDrives, LetterOnlyRemovableAndOpticalVolumes) {
  TempFolder sys;
  // block device, its disk's folder, what the disk's files say
  const std::tuple<const char*, const char*, const char*, const char*> devices[] = {
      {"sdb1", "devices/pci/usb1/block/sdb", "removable", "0"},
      {"mmcblk0p1", "devices/pci/mmc0/block/mmcblk0", "removable", "1"},
      {"sr0", "devices/ata2/block/sr0", "device/type", "5"},
      {"loop0", "devices/virtual/block/loop0", "removable", "0"},
      {"sda2", "devices/ata1/block/sda", "removable", "0"}};
  fs::create_directories(sys.Native("class/block"));
  for (auto [name, disk, file, says] : devices) {
    sys.Write(std::string(disk) + "/" + file, std::string(says) + "\n");
    bool partition = std::string(disk).find(std::string(name)) == std::string::npos;
    if (partition) sys.Write(std::string(disk) + "/" + name + "/partition", "1\n");
    fs::create_directory_symlink(sys.Native(disk) / (partition ? name : ""), sys.Native("class/block") / name);
  }
  const std::pair<const char*, const char*> rows[] = {
      {"/dev/sdb1 /media/utente/SAN\\040DISK vfat rw 0 0", "D=2:/media/utente/SAN DISK;"},
      {"/dev/mmcblk0p1 /media/utente/SD vfat rw 0 0", "D=2:/media/utente/SD;"},
      {"/dev/sr0 /media/utente/CD iso9660 ro 0 0", "D=5:/media/utente/CD;"},
      {"/dev/loop0 /snap/core squashfs ro 0 0", ""},
      {"/dev/sda2 /home ext4 rw 0 0", ""},
      // Lettered in order of mounts; a volume mounted twice is one drive; / is C:.
      {"/dev/sr0 /a x\nproc /proc proc\n/dev/sdb1 /b x\n/dev/sdb1 /c x\n/dev/mmcblk0p1 / x", "D=5:/a;E=2:/b;"},
  };
  for (auto [mounts, expected] : rows) {
    SCOPED_TRACE(mounts);
    EXPECT_EQ(Listed(MountedDrives(mounts, sys.Native("class/block").string())), expected);
  }
}

}  // namespace
