#include "../system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

bool IsSongName(const char* name) {
  const char* dot = std::strrchr(name, '.');
  if (!dot || std::strlen(dot + 1) != 3) return false;
  char extension[4] = {};
  for (int i = 0; i < 3; ++i) {
    char c = dot[1 + i];
    extension[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  }
  for (const char* song : {"mp3", "wma", "m4p", "vqf", "ape", "wav"}) {
    if (std::memcmp(extension, song, 3) == 0) return true;
  }
  return false;
}

// Walks the folder open as descriptor folder, and closes it.
void Walk(int folder, FloorCount& count) {
  DIR* dir = fdopendir(folder);
  if (!dir) {
    close(folder);
    return;
  }
  while (dirent* entry = readdir(dir)) {
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
    if (entry->d_type == DT_DIR) {
      int sub = openat(dirfd(dir), name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (sub >= 0) Walk(sub, count);
      continue;
    }
    if (!IsSongName(name)) continue;
    struct stat info;
    if (fstatat(dirfd(dir), name, &info, 0) != 0) continue;
    ++count.songs;
    count.bytes += static_cast<std::uint32_t>(info.st_size);
  }
  closedir(dir);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

FloorCount FloorScan(const std::string& nativeRoot) {
  FloorCount count;
  int root = open(nativeRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (root >= 0) Walk(root, count);
  return count;
}

const char* FloorName() { return "floor scan (readdir, stat songs)"; }

bool MakeSparseFile(const std::string& file, unsigned long long size) {
  int descriptor = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (descriptor < 0) return false;
  bool sized = ftruncate(descriptor, static_cast<off_t>(size)) == 0;
  return close(descriptor) == 0 && sized;
}

std::string ProgramPath(const std::string& nativeRoot) {
  // Without a drive map, C: is the root of the file system.
  std::string path = "C:" + nativeRoot;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

double CpuMilliseconds() {
  double total = 0;
  for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage usage{};
    getrusage(who, &usage);
    for (const timeval& time : {usage.ru_utime, usage.ru_stime}) {
      total += time.tv_sec * 1000.0 + time.tv_usec / 1000.0;
    }
  }
  return total;
}

long PageFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt + usage.ru_majflt;
}

std::string MachineName() {
  std::ifstream info("/proc/cpuinfo");
  std::string line, model = "unknown processor";
  while (std::getline(info, line)) {
    if (line.compare(0, 10, "model name") != 0) continue;
    model = line.substr(line.find(':') + 2);
    break;
  }
  return model + ", " + std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " cores";
}

std::string MachineLoad() {
  double load[3] = {};
  if (getloadavg(load, 3) != 3) return "unknown";
  char text[64];
  std::snprintf(text, sizeof text, "%.2f %.2f %.2f", load[0], load[1], load[2]);
  return text;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

std::string FindCommand(const std::string& nativeRoot) {
  return "find " + Quoted(nativeRoot) + " -type f -printf '%h %f %s\\n' > /dev/null";
}

bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }
