#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "drive_map.h"

namespace fs = std::filesystem;

namespace {

std::string FirstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// Mount points escape blanks and backslashes as octal (\040 for a space).
std::string Unescaped(const std::string& field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    bool octal = field[i] == '\\' && i + 3 < field.size() &&
                 field.find_first_not_of("01234567", i + 1) >= i + 4;
    if (octal) {
      text += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

// The kind of drive the block device's disk makes: an optical drive, a
// removable disk (by its flag, or any disk on the USB bus, as players often
// call themselves fixed), or nothing the program uses.
DriveKind DiskKind(const fs::path& sysBlock, const std::string& name) {
  std::error_code error;
  fs::path device = fs::canonical(sysBlock / name, error);
  if (error) return DRIVE_KIND_UNKNOWN;
  // A partition's flags are those of its disk.
  if (fs::exists(device / "partition", error)) device = device.parent_path();
  // SCSI peripheral type 5 is a CD-ROM.
  if (device.filename().string().rfind("sr", 0) == 0 || FirstLine(device / "device" / "type") == "5") {
    return DRIVE_KIND_CDROM;
  }
  if (FirstLine(device / "removable") == "1" || device.string().find("/usb") != std::string::npos) {
    return DRIVE_KIND_REMOVABLE;
  }
  return DRIVE_KIND_UNKNOWN;
}

// The block device's name ("sdb1") of a mounted device, through the links
// of /dev/disk and /dev/mapper.
std::string DeviceName(const std::string& device) {
  std::error_code error;
  fs::path resolved = fs::canonical(device, error);
  return (error ? fs::path(device) : resolved).filename().string();
}

}  // namespace

std::vector<MappedDrive> MountedDrives(const std::string& mounts, const std::string& sysBlock) {
  std::vector<MappedDrive> drives;
  std::set<std::string> seen;
  std::istringstream lines(mounts);
  std::string line;
  char letter = 'D';
  while (letter <= 'Z' && std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint;
    if (!(fields >> device >> mountPoint) || device.rfind("/dev/", 0) != 0) continue;
    std::string directory = Unescaped(mountPoint);
    std::string name = DeviceName(device);
    // A volume mounted twice is one drive, and the root's volume is C:.
    if (!seen.insert(name).second || directory == "/") continue;
    DriveKind kind = DiskKind(sysBlock, name);
    if (kind != DRIVE_KIND_UNKNOWN) drives.push_back({letter++, kind, directory});
  }
  return drives;
}
