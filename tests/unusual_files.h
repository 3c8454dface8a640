// What the file tests make on the real file system and the program never
// does: a FIFO, a link to a folder, a small volume. Each is made the way
// the platform allows and returns false when the system refuses, so that
// the caller can skip with a message.
#pragma once

#include <filesystem>
#include <utility>
#include <vector>

bool MakeFifo(const std::filesystem::path& path);
// Many links at once, each link with its target.
bool MakeFolderLinks(const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& links);
// Removes a FIFO or link, or a folder holding them, which the test's own
// clean-up (under Wine) would wait on or follow.
void RemoveSpecial(const std::filesystem::path& path);
// An empty volume of 1 MiB mounted on folder, writable or not, and its removal.
bool MountSmallVolume(const std::filesystem::path& folder, bool readOnly = false);
void Unmount(const std::filesystem::path& folder);
