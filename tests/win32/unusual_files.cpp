// Windows programs cannot make FIFOs, Linux links or mounts: under Wine the
// Linux host's own commands make them.
#include "unusual_files.h"

#include <windows.h>

#include <fstream>

namespace {

// The Linux path of a Windows path, quoted for the shell; '' when not under Wine.
std::string Host(const std::filesystem::path& path) {
  auto convert = reinterpret_cast<char*(CDECL*)(LPCWSTR)>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  char* host = convert ? convert(path.wstring().c_str()) : nullptr;
  std::string quoted = "'" + std::string(host ? host : "") + "'";
  if (host) HeapFree(GetProcessHeap(), 0, host);
  return quoted;
}

// Wine starts a Linux program but cannot wait for it, so the command leaves
// its exit status in a file, awaited for up to ten seconds.
bool RunOnHost(const std::string& command) {
  static int serial = 0;
  auto done = std::filesystem::temp_directory_path() /
              ("mescola-host-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++));
  std::string line = "/bin/sh -c \"" + command + "; echo $? > " + Host(done) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (Host(done) == "''" ||
      !CreateProcessA("Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int wait = 0, status = -1; wait < 200; Sleep(50), ++wait) {
    if (std::ifstream(done) >> status) return std::filesystem::remove(done), status == 0;
  }
  return false;
}

}  // namespace

bool MakeFifo(const std::filesystem::path& path) { return RunOnHost("mkfifo " + Host(path)); }
// One host command for all: Wine starts each slowly.
bool MakeFolderLinks(const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& links) {
  std::string command = "true";
  for (const auto& [link, target] : links) command += " && ln -s " + Host(target) + " " + Host(link);
  return RunOnHost(command);
}
void RemoveSpecial(const std::filesystem::path& path) { RunOnHost("rm -rf " + Host(path)); }
bool MountSmallVolume(const std::filesystem::path& folder, bool readOnly) {
  return RunOnHost(std::string("mount -t tmpfs -o size=1m") + (readOnly ? ",ro" : "") + " tmpfs " + Host(folder));
}
void Unmount(const std::filesystem::path& folder) { RunOnHost("umount " + Host(folder)); }
