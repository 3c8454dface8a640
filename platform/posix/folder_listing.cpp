#include <dirent.h>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#include "drive_map.h"
#include "posix_platform.h"

namespace {

class PosixListing : public FolderListing {
 public:
  explicit PosixListing(DIR* dir) : dir_(dir) {}
  ~PosixListing() override { closedir(dir_); }

  bool Next(FolderEntry& entry) override {
    while (dirent* found = readdir(dir_)) {
      // A backslash cannot stand in a name of the program's paths.
      if (std::strchr(found->d_name, '\\')) continue;
      current_ = found;
      entry.name.assign(found->d_name);
      entry.hidden = found->d_name[0] == '.' && entry.name != "." && entry.name != "..";
      entry.folder = IsFolder(found);
      return true;
    }
    return false;
  }

  std::uint32_t SizeLow() override {
    struct stat info;
    if (!current_ || fstatat(dirfd(dir_), current_->d_name, &info, 0) != 0) return 0;
    return static_cast<std::uint32_t>(info.st_size);
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
  dirent* current_ = nullptr;
};

}  // namespace

std::unique_ptr<FolderListing> PosixPlatform::ListFolder(const std::string& folder) {
  std::string native;
  if (!ToNativePath(folder, native)) return nullptr;
  DIR* dir = opendir(native.c_str());
  if (!dir) return nullptr;
  return std::make_unique<PosixListing>(dir);
}
