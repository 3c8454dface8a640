// The system's services go through this seam: files and folders, drives,
// free space, copying, the working folder and time. The Win32
// and POSIX realisations are chosen by the build; tests install fakes.
// Every path is in the program's Windows form (C:\Musica\Rock); the POSIX
// realisation maps drive letters to directories.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

enum DriveKind {
  DRIVE_KIND_UNKNOWN = 0,
  DRIVE_KIND_NO_ROOT_DIR = 1,
  DRIVE_KIND_REMOVABLE = 2,
  DRIVE_KIND_FIXED = 3,
  DRIVE_KIND_REMOTE = 4,
  DRIVE_KIND_CDROM = 5,
  DRIVE_KIND_RAMDISK = 6,
};

struct FolderEntry {
  std::string name;
  bool folder = false;
  bool hidden = false;
};

// One folder's entries in the file system's order, "." and ".." included.
class FolderListing {
 public:
  virtual ~FolderListing() = default;
  // Fills entry with the next entry; false when there are no more.
  virtual bool Next(FolderEntry& entry) = 0;
  // Low 32 bits of the size in bytes of the entry Next gave last; 0 when it
  // cannot be read. Asked only for the files that need it.
  virtual std::uint32_t SizeLow() = 0;
};

struct DiskSpace {
  double freeBytes = 0;            // free space available to the user
  std::uint32_t clusterBytes = 0;  // allocation unit
};

enum class CopyResult { Copied, Exists, Failed };

// A file being written. Close reports whether every byte reached the file.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(const std::string& bytes) = 0;
  virtual bool Close() = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Null when the folder cannot be listed.
  virtual std::unique_ptr<FolderListing> ListFolder(const std::string& folder) = 0;
  // root: a drive letter and a colon, with or without the backslash.
  virtual DriveKind GetDriveKind(const std::string& root) = 0;
  // False (space left at zero) when the volume cannot tell.
  virtual bool GetFreeSpace(const std::string& root, DiskSpace& space) = 0;

  // Copies a file to a destination that must not exist yet. Failed leaves no
  // destination behind and sets error to the platform's code.
  virtual CopyResult CopyNewFile(const std::string& from, const std::string& to,
                                 unsigned long& error) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Creates the file, or empties it.
  // Null when it cannot be created.
  virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) = 0;
  // Moves from onto to, replacing it.
  virtual bool ReplaceWith(const std::string& from, const std::string& to) = 0;
  virtual bool ReadWholeFile(const std::string& path, std::string& bytes) = 0;
  // The working directory, in Windows form; empty when it cannot be told.
  virtual std::string CurrentDirectory() = 0;

  virtual std::time_t Now() = 0;
  virtual std::tm LocalTime(std::time_t when) = 0;
};

// The realisation in use. Installed once by the program's start, replaced by
// tests through PlatformScope.
Platform& Os();
void InstallPlatform(Platform* platform);

// The build's own realisation.
Platform& NativePlatform();

class PlatformScope {
 public:
  explicit PlatformScope(Platform& platform) : previous_(&Os()) { InstallPlatform(&platform); }
  ~PlatformScope() { InstallPlatform(previous_); }
  PlatformScope(const PlatformScope&) = delete;
  PlatformScope& operator=(const PlatformScope&) = delete;

 private:
  Platform* previous_;
};
