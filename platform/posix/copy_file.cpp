#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "drive_map.h"
#include "posix_platform.h"

CopyResult PosixPlatform::CopyNewFile(const std::string& from, const std::string& to,
                                      unsigned long& error) {
  std::string source, destination;
  error = ENOENT;
  if (!ToNativePath(from, source) || !ToNativePath(to, destination)) return CopyResult::Failed;
  int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    error = static_cast<unsigned long>(errno);
    return CopyResult::Failed;
  }
  int out = open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) {
    error = static_cast<unsigned long>(errno);
    close(in);
    return error == EEXIST ? CopyResult::Exists : CopyResult::Failed;
  }
  char buffer[1 << 16];
  ssize_t n = 0;
  error = 0;
  while ((n = read(in, buffer, sizeof buffer)) > 0) {
    for (ssize_t done = 0; done < n;) {
      ssize_t w = write(out, buffer + done, static_cast<std::size_t>(n - done));
      if (w < 0) {
        error = static_cast<unsigned long>(errno);
        break;
      }
      done += w;
    }
    if (error) break;
  }
  if (n < 0) error = static_cast<unsigned long>(errno);
  if (close(out) != 0 && !error) error = static_cast<unsigned long>(errno);
  close(in);
  if (error) {
    unlink(destination.c_str());
    return CopyResult::Failed;
  }
  return CopyResult::Copied;
}
