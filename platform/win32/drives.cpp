#include "win32_platform.h"

namespace {

// "E:" names the current folder of drive E:, "E:\" its root.
std::string RootPath(const std::string& root) {
  return root.size() == 2 && root[1] == ':' ? root + "\\" : root;
}

}  // namespace

DriveKind Win32Platform::GetDriveKind(const std::string& root) {
  return static_cast<DriveKind>(GetDriveTypeW(Widen(RootPath(root)).c_str()));
}

bool Win32Platform::VolumeSpace(const std::string& root, DiskSpace& space) {
  space = DiskSpace();
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceW(Widen(RootPath(root)).c_str(), &sectorsPerCluster, &bytesPerSector,
                         &freeClusters, &totalClusters)) {
    return false;
  }
  space.clusterBytes = static_cast<std::uint32_t>(sectorsPerCluster * bytesPerSector);
  space.freeBytes = static_cast<double>(freeClusters) * space.clusterBytes;
  return true;
}

// Windows names its drives by letter: no folder stands behind one, and its
// paths are already the program's.
std::string Win32Platform::DriveFolder(const std::string&) { return std::string(); }

std::string Win32Platform::ProgramPath(const std::string& systemPath) { return systemPath; }
