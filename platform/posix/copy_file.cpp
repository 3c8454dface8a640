#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "drive_map.h"
#include "posix_platform.h"

namespace {

// How one way of copying ended: Unsupported hands what is left, from the
// files' current offsets, to the next way.
enum class Outcome { Done, Unsupported, Failed };

// What a file system answers when it cannot do a kernel-side copy.
bool CannotCopyThisWay(int error) {
  return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP ||
         error == ENOTSUP;
}

constexpr std::size_t kLargestStep = std::size_t{1} << 30;

// Copies the rest of the source's length with copy_file_range (a kernel-side
// copy, shared blocks where the file system can), or sendfile: step
// moves up to count bytes and advances both files' offsets. A step that
// moves nothing before the end is treated as unsupported, as some file
// systems answer that way.
template <typename Step>
Outcome CopyInKernel(int in, int out, off_t& left, int& error, Step step) {
  while (left > 0) {
    std::size_t count = left < static_cast<off_t>(kLargestStep) ? static_cast<std::size_t>(left)
                                                              : kLargestStep;
    ssize_t n = step(in, out, count);
    if (n > 0) {
      left -= n;
      continue;
    }
    if (n == 0) return Outcome::Unsupported;
    if (errno == EINTR) continue;
    if (CannotCopyThisWay(errno)) return Outcome::Unsupported;
    error = errno;
    return Outcome::Failed;
  }
  return Outcome::Done;
}

// The portable way, until the end of the source.
Outcome CopyByBuffer(int in, int out, int& error) {
  std::vector<char> buffer(std::size_t{1} << 17);
  for (;;) {
    ssize_t n = read(in, buffer.data(), buffer.size());
    if (n == 0) return Outcome::Done;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return Outcome::Failed;
    }
    for (ssize_t done = 0; done < n;) {
      ssize_t w = write(out, buffer.data() + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) {
        error = errno;
        return Outcome::Failed;
      }
      done += w;
    }
  }
}

// Copies the whole source into out; 0, or the errno of the failure.
int CopyContents(int in, int out) {
  struct stat info;
  if (fstat(in, &info) != 0) return errno;
  off_t left = info.st_size;
  int error = 0;
  Outcome outcome = CopyInKernel(in, out, left, error, [](int from, int to, std::size_t count) {
    return copy_file_range(from, nullptr, to, nullptr, count, 0);
  });
  if (outcome == Outcome::Unsupported) {
    outcome = CopyInKernel(in, out, left, error, [](int from, int to, std::size_t count) {
      return sendfile(to, from, nullptr, count);
    });
  }
  if (outcome == Outcome::Unsupported) outcome = CopyByBuffer(in, out, error);
  return outcome == Outcome::Failed ? error : 0;
}

}  // namespace

// The source is opened first and must be a regular file; the destination
// is created exclusively, so an existing file is never touched; once
// created it is the copy's own, and removed if the copy fails.
CopyResult PosixPlatform::CopyNewFile(const std::string& from, const std::string& to,
                                      unsigned long& error) {
  std::string source, destination;
  error = ENOENT;
  if (!ToNativePath(from, source) || !ToNativePath(to, destination)) return CopyResult::Failed;
  // Without O_NONBLOCK, opening a FIFO would wait for a writer.
  int in = open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) {
    error = static_cast<unsigned long>(errno);
    return CopyResult::Failed;
  }
  struct stat info;
  bool regular = fstat(in, &info) == 0 && S_ISREG(info.st_mode);
  if (!regular) {
    error = EINVAL;  // a FIFO, socket or device is no song
    close(in);
    return CopyResult::Failed;
  }
  int out = open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) {
    error = static_cast<unsigned long>(errno);
    close(in);
    return error == EEXIST ? CopyResult::Exists : CopyResult::Failed;
  }
  int failure = CopyContents(in, out);
  if (close(out) != 0 && failure == 0) failure = errno;
  close(in);
  error = static_cast<unsigned long>(failure);
  if (failure == 0) return CopyResult::Copied;
  unlink(destination.c_str());
  return CopyResult::Failed;
}
