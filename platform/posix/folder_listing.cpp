#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "drive_map.h"
#include "posix_platform.h"

namespace {

// The kernel's file systems as the mount table names them.
bool IsVirtualType(const std::string& type) {
  static const std::set<std::string> kTypes = {
      "proc",   "sysfs",    "devtmpfs", "devpts",    "cgroup",    "cgroup2",     "securityfs",
      "debugfs", "tracefs", "pstore",   "bpf",       "configfs",  "fusectl",     "mqueue",
      "hugetlbfs", "binfmt_misc", "autofs", "efivarfs"};
  return kTypes.count(type) != 0;
}

using FolderKey = std::pair<std::uint64_t, std::uint64_t>;

// The mounts of the kernel's file systems, from the mount table read once:
// the volumes of devtmpfs, which tells itself from tmpfs by nothing else,
// and the mount points by their parent folder, so that listings leave them out.
struct VirtualMounts {
  std::set<dev_t> deviceVolumes;
  std::map<FolderKey, std::set<std::string>> pointsIn;
};

const VirtualMounts& KernelMounts() {
  static const VirtualMounts mounts = [] {
    VirtualMounts found;
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    while (std::getline(table, line)) {
      // id parent major:minor root mount-point options... - type source options
      unsigned major = 0, minor = 0;
      char point[4096];
      std::size_t dash = line.find(" - ");
      if (dash == std::string::npos ||
          std::sscanf(line.c_str(), "%*s %*s %u:%u %*s %4095s", &major, &minor, point) != 3) {
        continue;
      }
      std::string type = line.substr(dash + 3, line.find(' ', dash + 3) - dash - 3);
      if (!IsVirtualType(type)) continue;
      if (type == "devtmpfs") found.deviceVolumes.insert(makedev(major, minor));
      std::string path = point;
      std::size_t slash = path.rfind('/');
      struct stat parent;
      if (slash == std::string::npos || slash + 1 == path.size() ||
          stat(slash ? path.substr(0, slash).c_str() : "/", &parent) != 0) {
        continue;
      }
      found.pointsIn[{parent.st_dev, parent.st_ino}].insert(path.substr(slash + 1));
    }
    return found;
  }();
  return mounts;
}

class PosixListing;

// The listings open now, innermost last. A walk lists a subfolder while the
// listing of its parent is still open; opening the subfolder from there
// spares the system a lookup of every folder of the path.
std::vector<PosixListing*> openListings;

class PosixListing : public FolderListing {
 public:
  PosixListing(int folder, const std::string& name) : fd_(folder), folder_(name) {
    openListings.push_back(this);
  }
  ~PosixListing() override {
    openListings.erase(std::find(openListings.begin(), openListings.end(), this));
    close(fd_);
  }

  bool Next(FolderEntry& entry) override {
    while (const dirent64* found = NextRecord()) {
      // A backslash cannot stand in a name of the program's paths.
      std::size_t length = std::strlen(found->d_name);
      if (std::memchr(found->d_name, '\\', length)) continue;
      current_ = found;
      entry.name.assign(found->d_name, length);
      entry.hidden = found->d_name[0] == '.' && entry.name != "." && entry.name != "..";
      entry.folder = IsFolder(found);
      if (entry.folder && KernelMountHere(entry.name)) continue;
      // Bind mounts can loop without a link, and asking costs one fstat.
      entry.mayLoop = entry.folder;
      return true;
    }
    return false;
  }

  std::uint32_t SizeLow() override {
    struct stat info;
    if (!current_ || fstatat(fd_, current_->d_name, &info, 0) != 0) return 0;
    return static_cast<std::uint32_t>(info.st_size);
  }

  bool RegularFile() override {
    if (!current_) return false;
    if (current_->d_type == DT_REG) return true;
    if (current_->d_type != DT_LNK && current_->d_type != DT_UNKNOWN) return false;
    struct stat info;
    return fstatat(fd_, current_->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
  }

  // Kept once asked: a walk asks its open folders for every subfolder.
  bool Identity(FolderIdentity& identity) override {
    struct stat info;
    if (!identityKnown_ && fstat(fd_, &info) == 0) {
      identity_.volume = static_cast<std::uint64_t>(info.st_dev);
      identity_.index = static_cast<std::uint64_t>(info.st_ino);
      identityKnown_ = true;
    }
    identity = identity_;
    return identityKnown_;
  }

  const std::string& folder() const { return folder_; }

  // The subfolder called name of this listing's folder, opened; -1 when
  // it cannot be.
  int OpenSubfolder(const char* name) {
    return openat(fd_, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }

 private:
  // Links are followed, as the listing of a Windows folder shows their targets.
  bool IsFolder(const dirent64* found) {
    if (found->d_type == DT_DIR) return true;
    if (found->d_type != DT_LNK && found->d_type != DT_UNKNOWN) return false;
    struct stat info;
    return fstatat(fd_, found->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
  }

  // The folder's entries are read straight from the system a buffer at a
  // time: the walk asks for the folder's identity anyway, and readdir's own
  // checks of the folder would cost two more calls of each of 20,000
  // folders of a large library.
  const dirent64* NextRecord() {
    if (at_ >= filled_) {
      ssize_t read = getdents64(fd_, buffer_, sizeof buffer_);
      if (read <= 0) return nullptr;
      filled_ = static_cast<std::size_t>(read);
      at_ = 0;
    }
    auto* record = reinterpret_cast<const dirent64*>(buffer_ + at_);
    at_ += record->d_reclen;
    return record;
  }

  // Whether name is where one of the kernel's file systems is mounted in
  // this folder, which is then no folder of the user's.
  bool KernelMountHere(const std::string& name) {
    if (!mountsLooked_) {
      mountsLooked_ = true;
      FolderIdentity here;
      const auto& points = KernelMounts().pointsIn;
      auto found = Identity(here) ? points.find({here.volume, here.index}) : points.end();
      mountsHere_ = found == points.end() ? nullptr : &found->second;
    }
    return mountsHere_ && mountsHere_->count(name) != 0;
  }

  int fd_;
  std::string folder_;
  bool mountsLooked_ = false;
  const std::set<std::string>* mountsHere_ = nullptr;
  alignas(dirent64) char buffer_[32768];
  std::size_t filled_ = 0;
  std::size_t at_ = 0;
  const dirent64* current_ = nullptr;
  bool identityKnown_ = false;
  FolderIdentity identity_;
};

// The folder opened through the open listing of its parent, which is then
// named in opener, or -1. "." and ".." go by their names instead, which
// never leave the drive.
int OpenFromParent(const std::string& folder, PosixListing*& opener) {
  std::size_t slash = folder.rfind('\\');
  if (slash == std::string::npos || slash + 1 == folder.size()) return -1;
  std::string_view name = std::string_view(folder).substr(slash + 1);
  if (name == "." || name == "..") return -1;
  for (auto listing = openListings.rbegin(); listing != openListings.rend(); ++listing) {
    const std::string& parent = (*listing)->folder();
    if (parent.size() == slash && folder.compare(0, slash, parent) == 0) {
      opener = *listing;
      return opener->OpenSubfolder(folder.c_str() + slash + 1);
    }
  }
  return -1;
}

// The file systems the kernel makes up as it is read (processes, devices,
// its own settings): no music there, and links that lead to the same
// folders along countless paths, so a walk there would not end for minutes.
bool IsVirtual(int folder) {
  // The kernel's own numbers for those missing from <linux/magic.h>.
  constexpr unsigned long kConfigfs = 0x62656570, kFusectl = 0x65735543, kMqueue = 0x19800202;
  static const unsigned long kVirtual[] = {
      PROC_SUPER_MAGIC, SYSFS_MAGIC, DEVPTS_SUPER_MAGIC, CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC,
      SECURITYFS_MAGIC, DEBUGFS_MAGIC, TRACEFS_MAGIC, PSTOREFS_MAGIC, BPF_FS_MAGIC, kConfigfs,
      kFusectl, kMqueue, HUGETLBFS_MAGIC, BINFMTFS_MAGIC, AUTOFS_SUPER_MAGIC, EFIVARFS_MAGIC};
  struct statfs info;
  if (fstatfs(folder, &info) != 0) return false;
  auto type = static_cast<unsigned long>(info.f_type);
  if (type == TMPFS_MAGIC) {
    struct stat identity;
    return fstat(folder, &identity) == 0 && KernelMounts().deviceVolumes.count(identity.st_dev) != 0;
  }
  return std::find(std::begin(kVirtual), std::end(kVirtual), type) != std::end(kVirtual);
}

}  // namespace

std::unique_ptr<FolderListing> PosixPlatform::ListFolder(const std::string& folder) {
  PosixListing* parent = nullptr;
  int opened = OpenFromParent(folder, parent);
  if (opened < 0) {
    std::string native;
    if (!ToNativePath(folder, native)) return nullptr;
    opened = open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }
  if (opened < 0) return nullptr;
  auto listing = std::make_unique<PosixListing>(opened, folder);
  // A folder on the volume of its open parent is on a file system already
  // let in: a walk spares the question for all but the first.
  FolderIdentity here, above;
  bool parentsVolume = parent && listing->Identity(here) && parent->Identity(above) &&
                       here.volume == above.volume;
  if (!parentsVolume && IsVirtual(opened)) return nullptr;
  return listing;
}
