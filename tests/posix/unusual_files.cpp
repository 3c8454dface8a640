#include "unusual_files.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

bool MakeFifo(const std::filesystem::path& path) { return mkfifo(path.c_str(), 0644) == 0; }

bool MakeFolderLink(const std::filesystem::path& link, const std::filesystem::path& target) {
  return symlink(target.c_str(), link.c_str()) == 0;
}

bool MakeFolderLinks(const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& links) {
  for (const auto& [link, target] : links) {
    if (!MakeFolderLink(link, target)) return false;
  }
  return true;
}

void RemoveSpecial(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::remove_all(path, error);
}

// Needs root (or CAP_SYS_ADMIN).
bool MountSmallVolume(const std::filesystem::path& folder, bool readOnly) {
  unsigned long flags = MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
  return mount("tmpfs", folder.c_str(), "tmpfs", flags, "size=1m") == 0;
}

// Lazily, as a stick pulled out: even while a file on it is open.
void Unmount(const std::filesystem::path& folder) { umount2(folder.c_str(), MNT_DETACH); }
