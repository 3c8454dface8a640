#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "drive_map.h"
#include "posix_platform.h"

namespace {

class PosixListing;

// The listings open now, innermost last. A walk lists a subfolder while the
// listing of its parent is still open; opening the subfolder from there
// spares the system a lookup of every folder of the path.
std::vector<PosixListing*> openListings;

class PosixListing : public FolderListing {
 public:
  PosixListing(DIR* dir, const std::string& folder) : dir_(dir), folder_(folder) {
    openListings.push_back(this);
  }
  ~PosixListing() override {
    openListings.erase(std::find(openListings.begin(), openListings.end(), this));
    closedir(dir_);
  }

  bool Next(FolderEntry& entry) override {
    while (dirent* found = readdir(dir_)) {
      // A backslash cannot stand in a name of the program's paths.
      if (std::strchr(found->d_name, '\\')) continue;
      current_ = found;
      entry.name.assign(found->d_name);
      entry.hidden = found->d_name[0] == '.' && entry.name != "." && entry.name != "..";
      entry.folder = IsFolder(found);
      // Bind mounts can loop without a link, and asking costs one fstat.
      entry.mayLoop = entry.folder;
      return true;
    }
    return false;
  }

  std::uint32_t SizeLow() override {
    struct stat info;
    if (!current_ || fstatat(dirfd(dir_), current_->d_name, &info, 0) != 0) return 0;
    return static_cast<std::uint32_t>(info.st_size);
  }

  bool RegularFile() override {
    if (!current_) return false;
    if (current_->d_type == DT_REG) return true;
    if (current_->d_type != DT_LNK && current_->d_type != DT_UNKNOWN) return false;
    struct stat info;
    return fstatat(dirfd(dir_), current_->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
  }

  // Kept once asked: a walk asks its open folders for every subfolder.
  bool Identity(FolderIdentity& identity) override {
    struct stat info;
    if (!identityKnown_ && fstat(dirfd(dir_), &info) == 0) {
      identity_.volume = static_cast<std::uint64_t>(info.st_dev);
      identity_.index = static_cast<std::uint64_t>(info.st_ino);
      identityKnown_ = true;
    }
    identity = identity_;
    return identityKnown_;
  }

  const std::string& folder() const { return folder_; }

  // The subfolder called name of this listing's folder, opened; null when
  // it cannot be.
  DIR* OpenSubfolder(const char* name) {
    int descriptor = openat(dirfd(dir_), name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    DIR* dir = fdopendir(descriptor);
    if (!dir) close(descriptor);
    return dir;
  }

 private:
  // Links are followed, as the listing of a Windows folder shows their targets.
  bool IsFolder(const dirent* found) {
    if (found->d_type == DT_DIR) return true;
    if (found->d_type != DT_LNK && found->d_type != DT_UNKNOWN) return false;
    struct stat info;
    return fstatat(dirfd(dir_), found->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
  }

  DIR* dir_;
  std::string folder_;
  dirent* current_ = nullptr;
  bool identityKnown_ = false;
  FolderIdentity identity_;
};

// The folder opened through the open listing of its parent, or null.
DIR* OpenFromParent(const std::string& folder) {
  std::size_t slash = folder.rfind('\\');
  if (slash == std::string::npos || slash + 1 == folder.size()) return nullptr;
  for (auto listing = openListings.rbegin(); listing != openListings.rend(); ++listing) {
    const std::string& parent = (*listing)->folder();
    if (parent.size() == slash && folder.compare(0, slash, parent) == 0) {
      return (*listing)->OpenSubfolder(folder.c_str() + slash + 1);
    }
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<FolderListing> PosixPlatform::ListFolder(const std::string& folder) {
  DIR* dir = OpenFromParent(folder);
  if (!dir) {
    std::string native;
    if (!ToNativePath(folder, native)) return nullptr;
    dir = opendir(native.c_str());
  }
  if (!dir) return nullptr;
  return std::make_unique<PosixListing>(dir, folder);
}
