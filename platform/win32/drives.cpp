#include <cwchar>

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

// The volume's serial number: another medium in the drive, or a drive
// letter that leads elsewhere, tells another.
bool Win32Platform::VolumeIdentity(const std::string& root, FolderIdentity& identity) {
  DWORD serial = 0;
  if (!GetVolumeInformationW(Widen(RootPath(root)).c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) {
    return false;
  }
  identity = FolderIdentity{serial, 0};
  return true;
}

namespace {

class MutexLock : public PlayerLock {
 public:
  explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
  ~MutexLock() override {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

}  // namespace

// A mutex named for the volume's serial number, in the user's session:
// every program that runs there takes the same one for the same player.
std::unique_ptr<PlayerLock> Win32Platform::LockPlayer(const FolderIdentity& volume) {
  wchar_t name[64];
  swprintf(name, 64, L"Mescola-lettore-%08llx", static_cast<unsigned long long>(volume.volume));
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
  if (!mutex) return std::make_unique<MutexLock>(nullptr);
  DWORD waited = WaitForSingleObject(mutex, 0);
  // A program that ended while holding it has left it abandoned: it is free.
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return std::make_unique<MutexLock>(mutex);
  CloseHandle(mutex);
  return nullptr;
}

// Windows names its drives by letter: no folder stands behind one, and its
// paths are already the program's.
std::string Win32Platform::DriveFolder(const std::string&) { return std::string(); }

std::string Win32Platform::ProgramPath(const std::string& systemPath) { return systemPath; }

bool Win32Platform::DriveMapReadable(std::string&) { return true; }
