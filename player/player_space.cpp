#include "platform/platform.h"
#include "player.h"

bool PlayerFreeBytes(const std::string& player, double& freeBytes) {
  DiskSpace space;
  bool known = Os().GetFreeSpace(player + "\\", space);
  freeBytes = known ? space.freeBytes : 0.0;
  return known;
}
