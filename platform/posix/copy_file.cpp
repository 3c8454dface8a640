#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "drive_map.h"
#include "posix_platform.h"

namespace {

// One step of a copy moves at most this much, and the bytes already on
// their way to the device may run this far ahead of those known written:
// on a stick of 5 MB/s a step waits about 100 ms.
constexpr std::size_t kStep = std::size_t{1} << 19;
constexpr off_t kAhead = off_t{1} << 22;

// What a file system answers when it cannot do a kernel-side copy.
bool CannotCopyThisWay(int error) {
  return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP ||
         error == ENOTSUP;
}

// The ways of copying, best first: copy_file_range (kernel-side, shared
// blocks where the file system can), sendfile, then a buffer.
enum class Way { Range, Send, Buffer };

// Moves up to count bytes from the files' current offsets: the bytes moved,
// 0 at the end of the source, -1 with errno. A way the file system refuses,
// or one that moves nothing before the end, hands over to the next.
ssize_t Step(int in, int out, std::size_t count, Way& way, std::vector<char>& buffer) {
  for (;;) {
    ssize_t n;
    if (way == Way::Range) n = copy_file_range(in, nullptr, out, nullptr, count, 0);
    else if (way == Way::Send) n = sendfile(out, in, nullptr, count);
    else n = read(in, buffer.data(), std::min(count, buffer.size()));
    if (n < 0 && errno == EINTR) continue;
    if (way != Way::Buffer && (n == 0 || (n < 0 && CannotCopyThisWay(errno)))) {
      way = way == Way::Range ? Way::Send : Way::Buffer;
      if (way == Way::Buffer) buffer.resize(kStep);
      continue;
    }
    if (way != Way::Buffer || n <= 0) return n;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = write(out, buffer.data() + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return -1;
      done += w;
    }
    return n;
  }
}

// Starts writeback of what was just written, and waits for what lies
// further back than kAhead; 0, or the errno of the failure. The song's last
// bytes are left to the flush that ends it, which waits once for them all.
int WriteBack(int out, off_t from, off_t to) {
  if (to > from) sync_file_range(out, from, to - from, SYNC_FILE_RANGE_WRITE);
  off_t settled = to - kAhead;
  if (settled <= 0) return 0;
  unsigned flags = SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
  // Some file systems have no such call; the final flush covers them.
  if (sync_file_range(out, 0, settled, flags) != 0 && errno != ENOSYS && errno != EINVAL &&
      errno != ESPIPE) {
    return errno;
  }
  return 0;
}

// Copies the whole source into out, step by step, each step told to
// progress as the bytes known to be on the device; then flushes the data
// and what finds it again (fdatasync: the times the file was touched need
// no wait of their own). 0, the errno of the failure, or -1 when progress
// asked to stop.
int CopyContents(int in, int out, const CopyProgress& progress) {
  struct stat info;
  if (fstat(in, &info) != 0) return errno;
  std::uint64_t total = static_cast<std::uint64_t>(info.st_size);
  Way way = Way::Range;
  std::vector<char> buffer;
  off_t written = 0;
  for (;;) {
    // The source's length as it was opened: a file that grows meanwhile is
    // copied as it was, one that shrinks until its end.
    off_t left = static_cast<off_t>(total) - written;
    ssize_t n = left <= 0 ? 0 : Step(in, out, std::min<std::size_t>(kStep, left), way, buffer);
    if (n < 0) return errno;
    if (n == 0) break;
    int failure = WriteBack(out, written, written + n);
    if (failure != 0) return failure;
    written += n;
    if (!progress(static_cast<std::uint64_t>(std::max<off_t>(0, written - kAhead)), total)) return -1;
  }
  if (fdatasync(out) != 0) return errno;
  return progress(total, total) ? 0 : -1;
}

}  // namespace

// The source is opened first and must be a regular file; the destination
// is created exclusively, so an existing file is never touched; once
// created it is the copy's own, and removed if the copy fails or stops.
CopyResult PosixPlatform::CopyNewFile(const std::string& from, const std::string& to,
                                      unsigned long& error, const CopyProgress& progress) {
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
  int failure = CopyContents(in, out, progress);
  if (close(out) != 0 && failure == 0) failure = errno;
  close(in);
  error = failure < 0 ? 0 : static_cast<unsigned long>(failure);
  if (failure == 0) return CopyResult::Copied;
  unlink(destination.c_str());
  return failure < 0 ? CopyResult::Stopped : CopyResult::Failed;
}
