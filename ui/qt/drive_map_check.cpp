#include "drive_map_check.h"

#include <cstdio>

#include "platform/platform.h"

int RefuseUnreadableDriveMap(Shell& shell) {
  std::string bad;
  if (System().DriveMapReadable(bad)) return 0;
  std::string line = "MESCOLA_DRIVES non valido: " + bad;
  std::fprintf(stderr, "%s\n", line.c_str());
  shell.ShowMessage(line, "ERRORE", MESSAGE_OK);
  return 2;
}
