#include "drive_map.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

DriveKind KindNamed(const std::string& name) {
  if (name == "fixed") return DRIVE_KIND_FIXED;
  if (name == "removable") return DRIVE_KIND_REMOVABLE;
  if (name == "cdrom") return DRIVE_KIND_CDROM;
  if (name == "remote") return DRIVE_KIND_REMOTE;
  if (name == "ramdisk") return DRIVE_KIND_RAMDISK;
  return DRIVE_KIND_UNKNOWN;
}

std::string WithoutTrailingSlash(std::string directory) {
  while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
  return directory;
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

std::vector<MappedDrive> ParseDriveMap(const std::string& text) {
  std::vector<MappedDrive> drives;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string item = text.substr(start, end - start);
    start = end + 1;
    std::size_t colon = item.find(':');
    if (item.size() < 3 || item[1] != '=' || colon == std::string::npos) continue;
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(item[0])));
    std::string directory = item.substr(colon + 1);
    if (letter < 'A' || letter > 'Z' || directory.empty() || directory[0] != '/') continue;
    drives.push_back({letter, KindNamed(item.substr(2, colon - 2)), WithoutTrailingSlash(directory)});
  }
  return drives;
}

const std::vector<MappedDrive>& DriveMap() {
  static const std::vector<MappedDrive> drives = [] {
    const char* text = std::getenv("MESCOLA_DRIVES");
    return text ? ParseDriveMap(text) : DefaultDriveMap();
  }();
  return drives;
}

bool ToNativePath(const std::string& path, std::string& native) {
  if (path.size() < 2 || path[1] != ':') return false;
  const MappedDrive* drive = DriveOf(path[0]);
  if (!drive) return false;
  std::string rest = path.substr(2);
  for (char& c : rest) {
    if (c == '\\') c = '/';
  }
  if (drive->directory == "/") {
    native = rest.empty() ? "/" : rest;
    if (native[0] != '/') native = "/" + native;
  } else {
    native = drive->directory + (rest.empty() || rest[0] == '/' ? rest : "/" + rest);
  }
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
