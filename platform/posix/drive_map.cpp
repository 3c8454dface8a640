#include "drive_map.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

DriveKind KindNamed(const std::string& name) {
  if (name == "fixed") return DRIVE_KIND_FIXED;
  if (name == "removable") return DRIVE_KIND_REMOVABLE;
  if (name == "cdrom") return DRIVE_KIND_CDROM;
  if (name == "remote") return DRIVE_KIND_REMOTE;
  if (name == "ramdisk") return DRIVE_KIND_RAMDISK;
  return DRIVE_KIND_UNKNOWN;
}

// The pieces of text between any of the separators, empty ones included.
std::vector<std::string> Split(const std::string& text, const char* separators) {
  std::vector<std::string> pieces;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = std::min(text.find_first_of(separators, start), text.size());
    pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

std::string WithoutTrailingSlash(std::string directory) {
  while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
  return directory;
}

// One item, "E=removable:/media/player"; false when it cannot be read.
bool ParseItem(const std::string& item, MappedDrive& drive) {
  std::size_t colon = item.find(':');
  if (item.size() < 3 || item[1] != '=' || colon == std::string::npos) return false;
  drive.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(item[0])));
  drive.kind = KindNamed(item.substr(2, colon - 2));
  drive.directory = WithoutTrailingSlash(item.substr(colon + 1));
  return drive.letter >= 'A' && drive.letter <= 'Z' && drive.kind != DRIVE_KIND_UNKNOWN &&
         drive.directory.rfind('/', 0) == 0;
}

bool IsFolder(const std::string& directory) {
  struct stat info;
  return stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<MappedDrive> DefaultDriveMap() {
  std::vector<MappedDrive> drives{MappedDrive{'C', DRIVE_KIND_FIXED, "/"}};
  std::ifstream in("/proc/self/mounts");
  std::stringstream mounts;
  mounts << in.rdbuf();
  for (const MappedDrive& drive : MountedDrives(mounts.str(), "/sys/class/block")) {
    drives.push_back(drive);
  }
  return drives;
}

const MappedDrive* DriveOf(char letter) {
  letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  for (const MappedDrive& drive : DriveMap()) {
    if (drive.letter == letter) return &drive;
  }
  return nullptr;
}

}  // namespace

bool ParseDriveMap(const std::string& text, std::vector<MappedDrive>& drives, std::string& bad) {
  drives.clear();
  for (const std::string& item : Split(text, ";")) {
    MappedDrive drive;
    if (!ParseItem(item, drive)) {
      bad = item;
      return false;
    }
    // A folder that is not there is a letter without a disk.
    if (IsFolder(drive.directory)) drives.push_back(drive);
  }
  return true;
}

const std::vector<MappedDrive>& DriveMap() {
  static const std::vector<MappedDrive> drives = [] {
    const char* text = std::getenv("MESCOLA_DRIVES");
    if (!text) return DefaultDriveMap();
    // A map that cannot be read has stopped the program at its start.
    std::vector<MappedDrive> mapped;
    std::string bad;
    return ParseDriveMap(text, mapped, bad) ? mapped : std::vector<MappedDrive>();
  }();
  return drives;
}

std::string NativeOnDrive(const std::string& directory, const std::string& rest) {
  std::vector<std::string> names;
  for (std::string& name : Split(rest, "\\/")) {
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(std::move(name));
    }
  }
  std::string native = directory == "/" ? std::string() : directory;
  for (const std::string& name : names) native.append(1, '/').append(name);
  return native.empty() ? directory : native;
}

bool ToNativePath(const std::string& path, std::string& native) {
  if (path.size() < 2 || path[1] != ':') return false;
  const MappedDrive* drive = DriveOf(path[0]);
  if (!drive) return false;
  native = NativeOnDrive(drive->directory, path.substr(2));
  return true;
}

std::string FromNativePath(const std::string& native) {
  const MappedDrive* best = nullptr;
  for (const MappedDrive& drive : DriveMap()) {
    const std::string& dir = drive.directory;
    bool holds = dir == "/" || native == dir || native.compare(0, dir.size() + 1, dir + "/") == 0;
    if (holds && (!best || dir.size() > best->directory.size())) best = &drive;
  }
  if (!best) return std::string();
  std::string rest = best->directory == "/" ? native : native.substr(best->directory.size());
  for (char& c : rest) {
    if (c == '/') c = '\\';
  }
  if (rest.empty()) rest = "\\";
  return std::string(1, best->letter) + ":" + rest;
}
