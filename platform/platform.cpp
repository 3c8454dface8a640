#include "platform.h"

namespace {
Platform* installed = nullptr;
}

Platform& System() { return installed ? *installed : NativePlatform(); }

void InstallPlatform(Platform* platform) { installed = platform; }
