// What the file tests make on the real file system and the program never
// does: FIFOs and links to folders (mkfifo, ln -s), a small volume.
// Each is made by a command of the Linux host (under Wine too, where
// Windows programs can make none of them) and fails when the system
// refuses, so that the caller can skip with a message.
#pragma once

#include <filesystem>
#include <string>

// The host's path of a path, quoted for its shell.
std::string Host(const std::filesystem::path& path);
// True when the command ends well.
bool RunOnHost(const std::string& command);

// Removes a FIFO or link, or a folder holding them, which the test's own
// clean-up (under Wine) would wait on or follow.
inline void RemoveSpecial(const std::filesystem::path& path) { RunOnHost("rm -rf " + Host(path)); }
// An empty volume of 1 MiB mounted on folder, writable or not (as root);
// unmounted lazily, as a stick pulled out: even while a file on it is open.
inline bool MountSmallVolume(const std::filesystem::path& folder, bool readOnly = false) {
  return RunOnHost(std::string("mount -t tmpfs -o size=1m,nosuid,nodev") + (readOnly ? ",ro" : "") + " tmpfs " +
                   Host(folder));
}
inline void Unmount(const std::filesystem::path& folder) { RunOnHost("umount -l " + Host(folder)); }
