#include "win32_platform.h"

std::time_t Win32Platform::Now() { return std::time(nullptr); }

std::tm Win32Platform::LocalTime(std::time_t when) {
  std::tm* local = std::localtime(&when);
  return local ? *local : std::tm{};
}

Platform& NativePlatform() {
  static Win32Platform platform;
  return platform;
}
