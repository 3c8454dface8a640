// The system's services go through this seam: files and folders, drives,
// free space, copying, the working folder and time. The Win32
// and POSIX realisations are chosen by the build; tests install fakes.
// Every path is in the program's Windows form (C:\Musica\Rock); the POSIX
// realisation maps drive letters to directories.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
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

// A folder is listed through the pattern folder\*.*, which must fit in a
// path of 259 characters: a longer folder cannot be listed.
constexpr std::size_t MAX_LISTED_FOLDER = 259 - 4;

struct FolderEntry {
  std::string name;
  bool folder = false;
  bool hidden = false;
  // A folder that may lead back to one already being walked: a link or a
  // junction (on POSIX any folder, as bind mounts loop too). Walks compare
  // its identity with theirs before entering it.
  bool mayLoop = false;
};

// One folder, however many paths lead to it: a volume and the folder's
// number on it.
struct FolderIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FolderIdentity& other) const {
    return volume == other.volume && index == other.index;
  }
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
  // False when the entry Next gave last is no regular file (a FIFO, socket
  // or device). Asked only for the files that need it.
  virtual bool RegularFile() = 0;
  // The identity of the folder listed; false when it cannot be told.
  virtual bool Identity(FolderIdentity& identity) = 0;
};

struct DiskSpace {
  double freeBytes = 0;            // free space available to the user
  std::uint32_t clusterBytes = 0;  // allocation unit
};

enum class CopyResult { Copied, Exists, Failed, Stopped };

// Told, between the steps of a copy, how many bytes of the whole are on the
// destination; returning false abandons the copy. A step is small enough
// that a slow stick still hears from the copy every 100 ms or so.
using CopyProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Held while it lives: the one run on a player volume.
class PlayerLock {
 public:
  virtual ~PlayerLock() = default;
};
// Refused: the folder will not take a new file (no access, read-only, or
// not there), as opposed to a file there that is held or otherwise fails.
enum class CreateResult { Created, Exists, Refused, Failed };

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
  virtual bool VolumeSpace(const std::string& root, DiskSpace& space) = 0;
  // The system's own folder that a drive stands for where the system has no
  // drive letters (E: -> /media/utente/SANDISK); empty where it has them, and
  // for a drive the program does not know.
  virtual std::string DriveFolder(const std::string& root) = 0;
  // The program's form of a path in the system's own form (a file dialog's
  // choice); empty when it lies on no drive the program knows.
  virtual std::string ProgramPath(const std::string& systemPath) = 0;
  // False, with the item, when an item of the system's own drive map
  // (MESCOLA_DRIVES on POSIX) cannot be read; true when it reads, or the
  // system has none.
  virtual bool DriveMapReadable(std::string& item) = 0;

  // Copies a regular file to a destination that must not exist yet, which
  // the copy creates itself, and flushes it to the device before it answers
  // Copied. Exists when the name is taken; Failed sets error to the
  // platform's code (a failed flush too); Stopped when progress said so.
  // Failed and Stopped remove only a destination this call created, so a
  // source that cannot be opened leaves everything as it was.
  virtual CopyResult CopyNewFile(const std::string& from, const std::string& to,
                                 unsigned long& error, const CopyProgress& progress) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Creates the file, or empties it: Created, Refused or Failed.
  virtual CreateResult CreateOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) = 0;
  // Creates a file that does not exist yet; Exists when anything stands at
  // path, a symbolic link included (it is never followed).
  virtual CreateResult CreateNewOutputFile(const std::string& path,
                                           std::unique_ptr<OutputFile>& file) = 0;
  // Moves from onto to, replacing it; false, with both left as they were,
  // when to is read-only (checked by the program itself, as an
  // administrator's replace would go through). A symbolic link at to is
  // itself replaced.
  virtual bool ReplaceWith(const std::string& from, const std::string& to) = 0;
  // The whole contents of a regular file of at most limit bytes; false for
  // any other file (a FIFO or device is refused without waiting on it).
  virtual bool ReadWholeFile(const std::string& path, std::uint64_t limit,
                             std::string& bytes) = 0;
  // The volume that stands at a drive's root now (root: a letter and a
  // colon): another volume mounted there, or none, tells another identity;
  // false when nothing can be reached there.
  virtual bool VolumeIdentity(const std::string& root, FolderIdentity& identity) = 0;
  // Takes the one run on the volume, for every program on this computer:
  // null while another holds it. Where no lock can be made at all, a lock
  // that holds nothing.
  virtual std::unique_ptr<PlayerLock> LockPlayer(const FolderIdentity& volume) = 0;
  // The working directory, in Windows form; empty when it cannot be told.
  virtual std::string CurrentDirectory() = 0;

  virtual std::time_t Now() = 0;
  virtual std::tm LocalTime(std::time_t when) = 0;
};

// The drive letters the program looks at, in order: A: and B: are floppy
// drives, never a place for music.
constexpr const char* DRIVE_LETTERS = "CDEFGHIJKLMNOPQRSTUVWXYZ";

// The realisation in use. Installed once by the program's start, replaced by
// tests through PlatformScope.
Platform& System();
void InstallPlatform(Platform* platform);

// The build's own realisation.
Platform& NativePlatform();

class PlatformScope {
 public:
  explicit PlatformScope(Platform& platform) : previous_(&System()) { InstallPlatform(&platform); }
  ~PlatformScope() { InstallPlatform(previous_); }
  PlatformScope(const PlatformScope&) = delete;
  PlatformScope& operator=(const PlatformScope&) = delete;

 private:
  Platform* previous_;
};
