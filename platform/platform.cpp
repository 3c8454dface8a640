#include "platform.h"

namespace {
Platform* installed = nullptr;
}

Platform& Os() { return installed ? *installed : NativePlatform(); }

void InstallPlatform(Platform* platform) { installed = platform; }
