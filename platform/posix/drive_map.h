// Drive letters on POSIX: C: is /, and the letters from D: on go to the
// mounted removable volumes and optical drives. MESCOLA_DRIVES replaces the
// whole map: "C=fixed:/;E=removable:/media/player" (letter, kind, directory).
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

struct MappedDrive {
  char letter;
  DriveKind kind;
  std::string directory;  // without a trailing slash, except "/"
};

const std::vector<MappedDrive>& DriveMap();

// Parses a MESCOLA_DRIVES text into drives, leaving out those whose folder
// is not there. False, with the item in bad, at the first item that cannot
// be read: no letter, no "=", a kind other than fixed, removable, cdrom,
// remote and ramdisk, or a folder that is not absolute.
bool ParseDriveMap(const std::string& text, std::vector<MappedDrive>& drives, std::string& bad);
// The mounted removable volumes and optical drives, lettered from D: on,
// in the order of mounts (a mount table such as /proc/self/mounts); the
// block devices are looked up in sysBlock (/sys/class/block).
std::vector<MappedDrive> MountedDrives(const std::string& mounts, const std::string& sysBlock);

// The native path of a Windows-form path (C:\Musica -> /Musica); false when
// its drive is not mapped. Every file function goes through it.
bool ToNativePath(const std::string& path, std::string& native);
// The native path of rest, what follows a drive's colon, on the drive
// mapped to directory. "." and ".." go by their names and never above the
// drive's folder, as at a Windows drive's root: E:\..\x is the drive's x.
std::string NativeOnDrive(const std::string& directory, const std::string& rest);
// The Windows form of a native absolute path, through the drive whose
// directory holds it most closely.
std::string FromNativePath(const std::string& native);
