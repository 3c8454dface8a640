#include "posix_platform.h"

std::time_t PosixPlatform::Now() { return std::time(nullptr); }

std::tm PosixPlatform::LocalTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

Platform& NativePlatform() {
  static PosixPlatform platform;
  return platform;
}
