// Folder listings copied into memory once, served by a platform that
// passes everything else on to the build's own: a rebuild over it is timed
// without the file system, which leaves what the store itself costs.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

class HeldListings : public Platform {
 public:
  // Copies the listings of root (as the program writes it) and of every
  // folder below it, with the size of every file.
  explicit HeldListings(const std::string& root);

  // Null for a folder that was not copied.
  std::unique_ptr<FolderListing> ListFolder(const std::string& folder) override;

  DriveKind GetDriveKind(const std::string& root) override;
  bool VolumeSpace(const std::string& root, DiskSpace& space) override;
  CopyResult CopyNewFile(const std::string& from, const std::string& to,
                         unsigned long& error, const CopyProgress& progress) override;
  bool RemoveFile(const std::string& path) override;
  CreateResult CreateOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) override;
  CreateResult CreateNewOutputFile(const std::string& path,
                                   std::unique_ptr<OutputFile>& file) override;
  bool ReplaceWith(const std::string& from, const std::string& to) override;
  bool ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& bytes) override;
  bool VolumeIdentity(const std::string& root, FolderIdentity& identity) override;
  std::unique_ptr<PlayerLock> LockPlayer(const FolderIdentity& volume) override;
  std::string DriveFolder(const std::string& root) override;
  std::string ProgramPath(const std::string& systemPath) override;
  bool DriveMapReadable(std::string& item) override;
  std::string CurrentDirectory() override;
  std::time_t Now() override;
  std::tm LocalTime(std::time_t when) override;

  struct Entry {
    FolderEntry entry;
    std::uint32_t size;
  };

 private:
  void Copy(const std::string& folder);

  std::unordered_map<std::string, std::vector<Entry>> folders_;
};
