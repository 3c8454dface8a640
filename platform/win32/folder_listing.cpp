#include "win32_platform.h"

namespace {

class Win32Listing : public FolderListing {
 public:
  Win32Listing(HANDLE search, const WIN32_FIND_DATAW& first, const std::string& folder)
      : search_(search), found_(first), folder_(folder) {}
  ~Win32Listing() override { FindClose(search_); }

  bool Next(FolderEntry& entry) override {
    // FindFirstFileW has already given the first entry.
    if (!pending_ && !FindNextFileW(search_, &found_)) return false;
    pending_ = false;
    entry.name = Narrow(found_.cFileName);
    entry.folder = (found_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.hidden = (found_.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    // Only a link or junction can lead back (Wine marks Linux links so).
    entry.mayLoop = entry.folder && (found_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return true;
  }

  std::uint32_t SizeLow() override { return found_.nFileSizeLow; }

  // Wine lists a Linux FIFO, socket or device as an empty file; only an
  // empty file is opened to ask (Wine opens a FIFO without waiting).
  bool RegularFile() override {
    if (found_.nFileSizeLow != 0 || found_.nFileSizeHigh != 0) return true;
    HANDLE file = CreateFileW((Widen(Root()) + found_.cFileName).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;
    bool disk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    return disk;
  }

  // Asked only when a link is met, and then kept.
  bool Identity(FolderIdentity& identity) override {
    if (!identityKnown_) identityKnown_ = ReadIdentity();
    identity = identity_;
    return identityKnown_;
  }

 private:
  // The folder with a backslash: "C:" alone would name the drive's current folder.
  std::string Root() const { return folder_ + "\\"; }

  bool ReadIdentity() {
    HANDLE folder = CreateFileW(Widen(Root()).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION information{};
    bool known = GetFileInformationByHandle(folder, &information) != 0;
    CloseHandle(folder);
    identity_.volume = information.dwVolumeSerialNumber;
    identity_.index = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    return known;
  }

  HANDLE search_;
  WIN32_FIND_DATAW found_;
  std::string folder_;
  bool pending_ = true;
  bool identityKnown_ = false;
  FolderIdentity identity_;
};

}  // namespace

std::unique_ptr<FolderListing> Win32Platform::ListFolder(const std::string& folder) {
  WIN32_FIND_DATAW first;
  HANDLE search = FindFirstFileW(Widen(folder + "\\*.*").c_str(), &first);
  if (search == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Listing>(search, first, folder);
}
