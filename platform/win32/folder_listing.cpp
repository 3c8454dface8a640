#include "win32_platform.h"

namespace {

class Win32Listing : public FolderListing {
 public:
  Win32Listing(HANDLE search, const WIN32_FIND_DATAW& first) : search_(search), found_(first) {}
  ~Win32Listing() override { FindClose(search_); }

  bool Next(FolderEntry& entry) override {
    // FindFirstFileW has already given the first entry.
    if (!pending_ && !FindNextFileW(search_, &found_)) return false;
    pending_ = false;
    entry.name = Narrow(found_.cFileName);
    entry.folder = (found_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.hidden = (found_.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    return true;
  }

  std::uint32_t SizeLow() override { return found_.nFileSizeLow; }

 private:
  HANDLE search_;
  WIN32_FIND_DATAW found_;
  bool pending_ = true;
};

}  // namespace

std::unique_ptr<FolderListing> Win32Platform::ListFolder(const std::string& folder) {
  WIN32_FIND_DATAW first;
  HANDLE search = FindFirstFileW(Widen(folder + "\\*.*").c_str(), &first);
  if (search == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Listing>(search, first);
}
