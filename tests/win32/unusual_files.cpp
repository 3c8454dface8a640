#include "unusual_files.h"

#include <windows.h>

#include <fstream>

// The Linux path of a Windows path, quoted for the shell; '' when not under Wine.
std::string Host(const std::filesystem::path& path) {
  auto convert = reinterpret_cast<char*(CDECL*)(LPCWSTR)>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
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
  STARTUPINFOA startup{sizeof(STARTUPINFOA)};
  PROCESS_INFORMATION process{};
  bool started = Host(done) != "''" &&
                 CreateProcessA("Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  if (!started) return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int wait = 0, status = -1; wait < 200; Sleep(50), ++wait) {
    if (std::ifstream(done) >> status) return std::filesystem::remove(done), status == 0;
  }
  return false;
}
