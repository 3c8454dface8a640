#include "../system.h"

#include <windows.h>
#include <commctrl.h>
#include <winioctl.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../quiet_shell.h"
#include "ui/win32/main_window.h"
#include "ui/win32/win32_store.h"

namespace {

// A store over the dialog that ends the dialog with it.
class MainDialog : public Win32Store {
 public:
  explicit MainDialog(HWND dialog) : Win32Store(dialog), dialog_(dialog) {}
  ~MainDialog() override { DestroyWindow(dialog_); }

 private:
  HWND dialog_;
};

bool IsSongName(const char* name) {
  const char* dot = std::strrchr(name, '.');
  if (!dot || std::strlen(dot + 1) != 3) return false;
  for (const char* song : {"mp3", "wma", "m4p", "vqf", "ape", "wav"}) {
    if (_stricmp(dot + 1, song) == 0) return true;
  }
  return false;
}

// The listing gives every entry's size: nothing but the listing is needed.
void Walk(const std::string& folder, FloorCount& count) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const char* name = found.cFileName;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Walk(folder + "\\" + name, count);
      continue;
    }
    if (!IsSongName(name)) continue;
    ++count.songs;
    count.bytes += static_cast<std::uint32_t>(found.nFileSizeLow);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

FloorCount FloorScan(const std::string& nativeRoot) {
  FloorCount count;
  Walk(nativeRoot, count);
  return count;
}

const char* FloorName() { return "floor scan (FindFirstFileA/NextFileA)"; }

bool MakeSparseFile(const std::string& file, unsigned long long size) {
  HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  DWORD returned = 0;
  // Without the sparse mark the volume would reserve every byte.
  DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  bool sized = SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
  return CloseHandle(handle) && sized;
}

std::string ProgramPath(const std::string& nativeRoot) { return nativeRoot; }

double CpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto ticks = [](const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return (ticks(kernel) + ticks(user)) / 10000.0;  // 100 ns ticks
}

long PageFaults() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long>(counters.PageFaultCount);
}

std::string MachineName() {
  const char* name = std::getenv("PROCESSOR_IDENTIFIER");
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return std::string(name ? name : "unknown processor") + ", " +
         std::to_string(info.dwNumberOfProcessors) + " cores";
}

std::string MachineLoad() { return "not measured"; }

double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0;
}

std::string FindCommand(const std::string&) { return std::string(); }

// Started directly, and waited for with this thread's messages answered
// meanwhile: a process that makes its first windows sends to every
// top-level window, this process's hidden ones too, and waits for each.
bool RunCommand(const std::string& command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = command;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  DWORD code = 1;
  bool ended = GetExitCodeProcess(process.hProcess, &code) && code == 0;
  CloseHandle(process.hProcess);
  return ended;
}

std::unique_ptr<StateStore> OpenMainDialog() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                   MainDialogProc, reinterpret_cast<LPARAM>(&Quiet()));
  if (!dialog) return nullptr;
  return std::make_unique<MainDialog>(dialog);
}

// The dialog above answers through the quiet shell: it is never kept alive.
std::unique_ptr<StateStore> OpenMainDialogNotKeptAlive() { return nullptr; }

const char* WindowName() { return "Win32 dialog"; }

const char* WindowTarget() { return "ratio <= 1.3"; }

// The orders of the system's list boxes are reported without a target.
const char* WindowRedrawTarget() { return ""; }

// Under Wine the system's list boxes are weighed against the table store.
std::string WindowMemoryTarget(double tableStoreMegabytes) {
  char target[64];
  std::snprintf(target, sizeof target, "<= 3 x table store, %.1f MB", 3 * tableStoreMegabytes);
  return target;
}
