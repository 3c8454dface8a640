#include <direct.h>

#include <algorithm>
#include <cstdlib>

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

CopyResult Win32Platform::CopyNewFile(const std::string& from, const std::string& to,
                                      unsigned long& error) {
  error = 0;
  if (CopyFileW(Widen(from).c_str(), Widen(to).c_str(), TRUE)) return CopyResult::Copied;
  error = GetLastError();
  if (error == ERROR_FILE_EXISTS) return CopyResult::Exists;
  // The destination did not exist before, so whatever stands there now is
  // what a failed copy wrote.
  DeleteFileW(Widen(to).c_str());
  return CopyResult::Failed;
}

bool Win32Platform::RemoveFile(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != 0; }

std::unique_ptr<OutputFile> Win32Platform::CreateOutputFile(const std::string& path) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32OutputFile>(file);
}

bool Win32Platform::ReplaceWith(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool Win32Platform::ReadWholeFile(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = GetFileSize(file, nullptr);
  DWORD read = 0;
  bool ok = size != INVALID_FILE_SIZE;
  if (ok) {
    bytes.assign(size, '\0');
    ok = ReadFile(file, &bytes[0], size, &read, nullptr) && read == size;
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
