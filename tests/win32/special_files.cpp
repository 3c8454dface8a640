// Windows programs cannot make FIFOs, Linux links or mounts: under Wine the
// Linux host's own commands make them.
#include "special_files.h"

#include <windows.h>

#include <fstream>
#include <string>

namespace {

// The Linux path of a Windows path, through Wine's own export; empty when
// not under Wine.
std::string HostPath(const std::filesystem::path& path) {
  using Convert = char*(CDECL*)(LPCWSTR);
  auto convert = reinterpret_cast<Convert>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  char* host = convert ? convert(path.wstring().c_str()) : nullptr;
  if (!host) return std::string();
  std::string result(host);
  HeapFree(GetProcessHeap(), 0, host);
  return result;
}

// Runs a shell command of the host. Wine starts a Linux program but cannot
// wait for it, so the command leaves its exit status in a file, awaited for
// up to ten seconds.
bool RunOnHost(const std::string& command) {
  static int serial = 0;
  std::filesystem::path done = std::filesystem::temp_directory_path() /
                               ("mescola-host-" + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(serial++));
  std::string marker = HostPath(done);
  if (marker.empty()) return false;
  std::string line = "/bin/sh -c \"" + command + "; echo $? > '" + marker + "'\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA("Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int wait = 0; wait < 200; Sleep(50), ++wait) {
    int status = -1;
    if (!(std::ifstream(done) >> status)) continue;
    std::filesystem::remove(done);
    return status == 0;
  }
  return false;
}

std::string Quoted(const std::filesystem::path& path) { return "'" + HostPath(path) + "'"; }

}  // namespace

bool MakeFifo(const std::filesystem::path& path) { return RunOnHost("mkfifo " + Quoted(path)); }

bool MakeFolderLink(const std::filesystem::path& link, const std::filesystem::path& target) {
  return RunOnHost("ln -s " + Quoted(target) + " " + Quoted(link));
}

void RemoveSpecial(const std::filesystem::path& path) { RunOnHost("rm -f " + Quoted(path)); }

bool MountSmallVolume(const std::filesystem::path& folder) {
  return RunOnHost("mount -t tmpfs -o size=1m tmpfs " + Quoted(folder));
}

void Unmount(const std::filesystem::path& folder) { RunOnHost("umount " + Quoted(folder)); }
