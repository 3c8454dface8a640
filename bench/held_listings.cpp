#include "held_listings.h"

namespace {

class HeldListing : public FolderListing {
 public:
  explicit HeldListing(const std::vector<HeldListings::Entry>& entries) : entries_(entries) {}

  bool Next(FolderEntry& entry) override {
    if (next_ == entries_.size()) return false;
    entry = entries_[next_++].entry;
    return true;
  }
  std::uint32_t SizeLow() override { return next_ ? entries_[next_ - 1].size : 0; }
  bool RegularFile() override { return true; }
  // Held folders are copied without links that lead back.
  bool Identity(FolderIdentity&) override { return false; }

 private:
  const std::vector<HeldListings::Entry>& entries_;
  std::size_t next_ = 0;
};

}  // namespace

HeldListings::HeldListings(const std::string& root) { Copy(root); }

void HeldListings::Copy(const std::string& folder) {
  std::unique_ptr<FolderListing> listing = NativePlatform().ListFolder(folder);
  if (!listing) return;
  std::vector<Entry>& entries = folders_[folder];
  FolderEntry entry;
  while (listing->Next(entry)) entries.push_back({entry, entry.folder ? 0 : listing->SizeLow()});
  for (const Entry& held : entries) {
    const std::string& name = held.entry.name;
    if (held.entry.folder && name != "." && name != "..") Copy(folder + "\\" + name);
  }
}

std::unique_ptr<FolderListing> HeldListings::ListFolder(const std::string& folder) {
  auto found = folders_.find(folder);
  if (found == folders_.end()) return nullptr;
  return std::make_unique<HeldListing>(found->second);
}

DriveKind HeldListings::GetDriveKind(const std::string& root) {
  return NativePlatform().GetDriveKind(root);
}

bool HeldListings::VolumeSpace(const std::string& root, DiskSpace& space) {
  return NativePlatform().VolumeSpace(root, space);
}

CopyResult HeldListings::CopyNewFile(const std::string& from, const std::string& to,
                                     unsigned long& error, const CopyProgress& progress) {
  return NativePlatform().CopyNewFile(from, to, error, progress);
}

bool HeldListings::VolumeIdentity(const std::string& root, FolderIdentity& identity) {
  return NativePlatform().VolumeIdentity(root, identity);
}

std::unique_ptr<PlayerLock> HeldListings::LockPlayer(const FolderIdentity& volume) {
  return NativePlatform().LockPlayer(volume);
}

bool HeldListings::RemoveFile(const std::string& path) { return NativePlatform().RemoveFile(path); }

CreateResult HeldListings::CreateOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) {
  return NativePlatform().CreateOutputFile(path, file);
}

CreateResult HeldListings::CreateNewOutputFile(const std::string& path,
                                               std::unique_ptr<OutputFile>& file) {
  return NativePlatform().CreateNewOutputFile(path, file);
}

bool HeldListings::ReplaceWith(const std::string& from, const std::string& to) {
  return NativePlatform().ReplaceWith(from, to);
}

bool HeldListings::ReadWholeFile(const std::string& path, std::uint64_t limit,
                                 std::string& bytes) {
  return NativePlatform().ReadWholeFile(path, limit, bytes);
}

std::string HeldListings::DriveFolder(const std::string& root) { return NativePlatform().DriveFolder(root); }

std::string HeldListings::ProgramPath(const std::string& systemPath) {
  return NativePlatform().ProgramPath(systemPath);
}

bool HeldListings::DriveMapReadable(std::string& item) { return NativePlatform().DriveMapReadable(item); }

std::string HeldListings::CurrentDirectory() { return NativePlatform().CurrentDirectory(); }

std::time_t HeldListings::Now() { return NativePlatform().Now(); }

std::tm HeldListings::LocalTime(std::time_t when) { return NativePlatform().LocalTime(when); }
