#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "drive_map.h"
#include "posix_platform.h"

namespace {

class PosixOutputFile : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) close(fd_);
  }

  bool Write(const std::string& bytes) override {
    std::size_t done = 0;
    while (ok_ && done < bytes.size()) {
      ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) ok_ = false;
      else done += static_cast<std::size_t>(n);
    }
    return ok_;
  }

  bool Close() override {
    if (fd_ < 0) return false;
    bool closed = close(fd_) == 0;
    fd_ = -1;
    return ok_ && closed;
  }

 private:
  int fd_;
  bool ok_ = true;
};

}  // namespace

bool PosixPlatform::RemoveFile(const std::string& path) {
  std::string native;
  return ToNativePath(path, native) && unlink(native.c_str()) == 0;
}

CreateResult PosixPlatform::CreateOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) {
  std::string native;
  if (!ToNativePath(path, native)) return CreateResult::Refused;
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_TRUNC;
  int fd = open(native.c_str(), flags, 0666);
  if (fd < 0) {
    bool refused = errno == EACCES || errno == EROFS || errno == ENOENT;
    return refused ? CreateResult::Refused : CreateResult::Failed;
  }
  file = std::make_unique<PosixOutputFile>(fd);
  return CreateResult::Created;
}

CreateResult PosixPlatform::CreateNewOutputFile(const std::string& path,
                                                std::unique_ptr<OutputFile>& file) {
  std::string native;
  if (!ToNativePath(path, native)) return CreateResult::Failed;
  // O_EXCL also refuses a symbolic link, even one that leads nowhere.
  int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
  file = std::make_unique<PosixOutputFile>(fd);
  return CreateResult::Created;
}

namespace {

// A file without any write permission, or one this user may not write. As
// root neither stops rename(), so the program asks itself. A link is judged
// by the file it leads to.
bool IsReadOnly(const std::string& native) {
  struct stat info;
  if (stat(native.c_str(), &info) != 0) return false;
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(native.c_str(), W_OK) != 0;
}

}  // namespace

bool PosixPlatform::ReplaceWith(const std::string& from, const std::string& to) {
  std::string nativeFrom, nativeTo;
  return ToNativePath(from, nativeFrom) && ToNativePath(to, nativeTo) && !IsReadOnly(nativeTo) &&
         std::rename(nativeFrom.c_str(), nativeTo.c_str()) == 0;
}

bool PosixPlatform::ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& bytes) {
  std::string native;
  if (!ToNativePath(path, native)) return false;
  // Without O_NONBLOCK, opening a FIFO would wait for a writer.
  int fd = open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::uint64_t>(info.st_size) > limit) {
    close(fd);
    return false;
  }
  bytes.clear();
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  ssize_t n = -1;
  // The limit counts the bytes read, not the size told: a file that grows
  // while it is read is refused like a larger one, without reading it all.
  while (bytes.size() <= limit && (n = read(fd, buffer, sizeof buffer)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return n == 0 && bytes.size() <= limit;
}

std::string PosixPlatform::CurrentDirectory() {
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) return std::string();
  return FromNativePath(buffer);
}
