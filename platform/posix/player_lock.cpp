#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "posix_platform.h"

namespace {

class FileLock : public PlayerLock {
 public:
  explicit FileLock(int fd) : fd_(fd) {}
  ~FileLock() override {
    if (fd_ >= 0) close(fd_);
  }

 private:
  int fd_;
};

// The user's runtime folder, where such locks belong, else the temporary one.
std::string LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return runtime;
  const char* temporary = std::getenv("TMPDIR");
  return temporary && *temporary ? temporary : "/tmp";
}

}  // namespace

// An advisory lock on a file named for the volume's device: every program
// that runs here takes the same file for the same player.
std::unique_ptr<PlayerLock> PosixPlatform::LockPlayer(const FolderIdentity& volume) {
  std::string path = LockFolder() + "/mescola-lettore-" + std::to_string(volume.volume) + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return std::make_unique<FileLock>(-1);
  int result;
  while ((result = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {}
  if (result == 0) return std::make_unique<FileLock>(fd);
  bool held = errno == EWOULDBLOCK;
  close(fd);
  return held ? nullptr : std::make_unique<FileLock>(-1);
}
