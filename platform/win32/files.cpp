#include <direct.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "win32_platform.h"

namespace {

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE file) : file_(file) {}
  ~Win32OutputFile() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }

  bool Write(const std::string& bytes) override {
    std::size_t done = 0;
    while (ok_ && done < bytes.size()) {
      DWORD written = 0;
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
      ok_ = WriteFile(file_, bytes.data() + done, chunk, &written, nullptr) && written > 0;
      done += written;
    }
    return ok_;
  }

  bool Close() override {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    return ok_ && closed;
  }

 private:
  HANDLE file_;
  bool ok_ = true;
};

}  // namespace

namespace {

// One step of a copy: on a stick of 5 MB/s about 100 ms of writing.
constexpr DWORD kStep = DWORD{1} << 19;

// Copies the rest of in to out, step by step, each step told to progress;
// then flushes out to the device. 0, the code of the failure, or
// ERROR_CANCELLED when progress asked to stop. The destination is written
// through, so each step waits for its own bytes: the window is kept alive
// while a large song goes to a slow stick, and the final flush has little left.
DWORD CopyBytes(HANDLE in, HANDLE out, const CopyProgress& progress) {
  LARGE_INTEGER size{};
  GetFileSizeEx(in, &size);
  std::uint64_t total = static_cast<std::uint64_t>(size.QuadPart), copied = 0;
  std::vector<char> buffer(kStep);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(in, buffer.data(), kStep, &read, nullptr)) return GetLastError();
    for (DWORD done = 0; done < read;) {
      DWORD written = 0;
      if (!WriteFile(out, buffer.data() + done, read - done, &written, nullptr)) return GetLastError();
      done += written;
    }
    copied += read;
    if (read == 0) break;
    if (!progress(copied, std::max(total, copied))) return ERROR_CANCELLED;
  }
  return FlushFileBuffers(out) ? 0 : GetLastError();
}

}  // namespace

// CopyFileW cannot be used: it opens the source first, so after its failure
// a file standing at the destination may be the user's, not the copy's.
// Here the destination is created with CREATE_NEW, which never touches an
// existing file, and removed only when this call created it.
CopyResult Win32Platform::CopyNewFile(const std::string& from, const std::string& to,
                                      unsigned long& error, const CopyProgress& progress) {
  HANDLE in = CreateFileW(Widen(from).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (in == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return CopyResult::Failed;
  }
  // A pipe or device (a Linux FIFO under Wine) is no song.
  if (GetFileType(in) != FILE_TYPE_DISK) {
    CloseHandle(in);
    error = ERROR_INVALID_FUNCTION;
    return CopyResult::Failed;
  }
  HANDLE out = CreateFileW(Widen(to).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    CloseHandle(in);
    return error == ERROR_FILE_EXISTS ? CopyResult::Exists : CopyResult::Failed;
  }
  error = CopyBytes(in, out, progress);
  // The copy keeps the song's date, as CopyFileW does.
  FILETIME written;
  if (error == 0 && GetFileTime(in, nullptr, nullptr, &written)) SetFileTime(out, nullptr, nullptr, &written);
  if (!CloseHandle(out) && error == 0) error = GetLastError();
  CloseHandle(in);
  if (error == 0) return CopyResult::Copied;
  DeleteFileW(Widen(to).c_str());
  if (error != ERROR_CANCELLED) return CopyResult::Failed;
  error = 0;
  return CopyResult::Stopped;
}

bool Win32Platform::RemoveFile(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != 0; }

CreateResult Win32Platform::CreateOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) {
  HANDLE created = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    bool refused = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
                   error == ERROR_PATH_NOT_FOUND;
    return refused ? CreateResult::Refused : CreateResult::Failed;
  }
  file = std::make_unique<Win32OutputFile>(created);
  return CreateResult::Created;
}

CreateResult Win32Platform::CreateNewOutputFile(const std::string& path,
                                                std::unique_ptr<OutputFile>& file) {
  // CREATE_NEW fails on any name that is taken, a symbolic link included.
  HANDLE created = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_FILE_EXISTS ? CreateResult::Exists : CreateResult::Failed;
  }
  file = std::make_unique<Win32OutputFile>(created);
  return CreateResult::Created;
}

// MoveFileExW replaces a read-only file when the user is an administrator
// (and always under Wine as root), so the attribute is checked first.
bool Win32Platform::ReplaceWith(const std::string& from, const std::string& to) {
  DWORD attributes = GetFileAttributesW(Widen(to).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool Win32Platform::ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& bytes) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  bool ok = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) &&
            static_cast<std::uint64_t>(size.QuadPart) <= limit;
  if (ok) {
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    for (std::size_t done = 0; ok && done < bytes.size();) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
      DWORD read = 0;
      ok = ReadFile(file, &bytes[done], chunk, &read, nullptr) && read > 0;
      done += read;
    }
  }
  CloseHandle(file);
  if (!ok) bytes.clear();
  return ok;
}

std::string Win32Platform::CurrentDirectory() {
  wchar_t* directory = _wgetcwd(nullptr, 0);
  if (!directory) return std::string();
  std::string result = Narrow(directory);
  std::free(directory);
  return result;
}
