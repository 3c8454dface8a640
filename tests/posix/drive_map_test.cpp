// Drive letters on POSIX: from the drive map, or from the mounted volumes.
// (The rest of the POSIX platform is at work in every native test.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fake_platform.h"
#include "platform/posix/drive_map.h"

namespace {

namespace fs = std::filesystem;

std::string Describe(const std::vector<MappedDrive>& drives) {
  std::string text;
  for (const MappedDrive& drive : drives) {
    text += std::string(1, drive.letter) + "=" + std::to_string(drive.kind) + ":" + drive.directory + ";";
  }
  return text;
}

TEST(DriveMap, ParsesLettersKindsAndDirectories) {
  const char* const cases[][2] = {
      {"C=fixed:/;E=removable:/media/player", "C=3:/;E=2:/media/player;"},
      {"e=cdrom:/mnt/cd/;f=remote:/net;g=ramdisk:/dev/shm//", "E=5:/mnt/cd;F=4:/net;G=6:/dev/shm;"},
      // A kind it does not know still maps the letter, as a drive of no use.
      {"H=floppy:/mnt/h", "H=0:/mnt/h;"},
      // Entries that do not parse are left out, the rest stay.
      {"E:removable:/x;=fixed:/;F=fixed:relative;1=fixed:/x;G=fixed;;C=fixed:/", "C=3:/;"},
      {"", ""},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c[0]);
    EXPECT_EQ(Describe(ParseDriveMap(c[0])), c[1]);
  }
}

// A /sys/class/block of links into a /sys/devices tree, as the kernel makes it.
class MountedDrivesTest : public ::testing::Test {
 protected:
  void Disk(const std::string& device, const std::string& name, const char* removable,
            const char* type = nullptr, const std::vector<std::string>& partitions = {}) {
    fs::path disk = temp.native() / "devices" / device / "block" / name;
    fs::create_directories(disk / "device");
    std::ofstream(disk / "removable") << removable << "\n";
    if (type) std::ofstream(disk / "device" / "type") << type << "\n";
    fs::create_directories(classBlock());
    fs::create_directory_symlink(disk, classBlock() / name);
    for (const std::string& partition : partitions) {
      fs::create_directories(disk / partition);
      std::ofstream(disk / partition / "partition") << "1\n";
      fs::create_directory_symlink(disk / partition, classBlock() / partition);
    }
  }
  fs::path classBlock() const { return temp.native() / "class" / "block"; }

  TempFolder temp;
};

TEST_F(MountedDrivesTest, RemovableVolumesAndOpticalDrivesFromD) {
  Disk("pci0000:00/ata1/host0/target0:0:0/0:0:0:0", "sda", "0", "0", {"sda1", "sda2"});
  // A player that calls itself fixed, on the USB bus.
  Disk("pci0000:00/usb1/1-1/host6/target6:0:0/6:0:0:0", "sdb", "0", "0", {"sdb1"});
  Disk("pci0000:00/mmc_host/mmc0/mmc0:0001", "mmcblk0", "1", nullptr, {"mmcblk0p1"});
  Disk("pci0000:00/ata2/host1/target1:0:0/1:0:0:0", "sr0", "1", "5");
  // An optical drive known by its type alone.
  Disk("pci0000:00/ata3/host2/target2:0:0/2:0:0:0", "sdc", "1", "5");
  std::string mounts =
      "proc /proc proc rw 0 0\n"
      "/dev/sda1 / ext4 rw 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\n"
      "/dev/sda1 /etc/hosts ext4 rw 0 0\n"
      "/dev/sdb1 /media/utente/LETTORE\\040MP3 vfat rw 0 0\n"
      "/dev/sr0 /media/utente/CD iso9660 ro 0 0\n"
      "/dev/sdb1 /mnt/ancora vfat rw 0 0\n"
      "/dev/loop0 /snap/core squashfs ro 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "/dev/mmcblk0p1 /media/utente/SCHEDA vfat rw 0 0\n"
      "/dev/sdc /media/utente/DVD udf ro 0 0\n";
  EXPECT_EQ(Describe(MountedDrives(mounts, classBlock().string())),
            "D=2:/media/utente/LETTORE MP3;E=5:/media/utente/CD;F=2:/media/utente/SCHEDA;G=5:/media/utente/DVD;");
}

}  // namespace
