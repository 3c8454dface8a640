#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cstdlib>

#include "drive_map.h"
#include "posix_platform.h"

DriveKind PosixPlatform::GetDriveKind(const std::string& root) {
  if (root.size() < 2 || root[1] != ':') return DRIVE_KIND_NO_ROOT_DIR;
  for (const MappedDrive& drive : DriveMap()) {
    if (drive.letter == (root[0] & ~0x20)) return drive.kind;
  }
  return DRIVE_KIND_NO_ROOT_DIR;
}

bool PosixPlatform::VolumeSpace(const std::string& root, DiskSpace& space) {
  space = DiskSpace();
  std::string native;
  struct statvfs info;
  if (!ToNativePath(root, native) || statvfs(native.c_str(), &info) != 0) return false;
  space.freeBytes = static_cast<double>(info.f_bavail) * static_cast<double>(info.f_frsize);
  space.clusterBytes = static_cast<std::uint32_t>(info.f_bsize);
  return true;
}

// The device and the folder number of the root: a volume unmounted, even
// lazily, leaves the folder beneath it, another device or folder.
bool PosixPlatform::VolumeIdentity(const std::string& root, FolderIdentity& identity) {
  std::string native;
  struct stat info;
  if (!ToNativePath(root, native) || stat(native.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  identity = FolderIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
  return true;
}

std::string PosixPlatform::DriveFolder(const std::string& root) {
  std::string native;
  return root.size() >= 2 && root[1] == ':' && ToNativePath(root.substr(0, 2), native) ? native : std::string();
}

std::string PosixPlatform::ProgramPath(const std::string& systemPath) { return FromNativePath(systemPath); }

bool PosixPlatform::DriveMapReadable(std::string& item) {
  const char* text = std::getenv("MESCOLA_DRIVES");
  std::vector<MappedDrive> drives;
  return !text || ParseDriveMap(text, drives, item);
}
