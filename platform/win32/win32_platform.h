// The platform on Windows: the KERNEL32 calls, in the files of this folder
// by area: folders, drives, files and the clock.
#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "wide.h"

class Win32Platform : public Platform {
 public:
  std::unique_ptr<FolderListing> ListFolder(const std::string& folder) override;
  DriveKind GetDriveKind(const std::string& root) override;
  bool VolumeSpace(const std::string& root, DiskSpace& space) override;
  std::string DriveFolder(const std::string& root) override;
  std::string ProgramPath(const std::string& systemPath) override;
  bool DriveMapReadable(std::string& item) override;
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
  std::string CurrentDirectory() override;
  std::time_t Now() override;
  std::tm LocalTime(std::time_t when) override;
};
