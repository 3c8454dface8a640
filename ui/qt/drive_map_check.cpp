#include "drive_map_check.h"

#include <cstdio>

#include "platform/posix/drive_map.h"

int RefuseUnreadableDriveMap(Shell& shell, const char* text) {
  std::vector<MappedDrive> drives;
  std::string bad;
  if (!text || ParseDriveMap(text, drives, bad)) return 0;
  std::string line = "MESCOLA_DRIVES non valido: " + bad;
  std::fprintf(stderr, "%s\n", line.c_str());
  shell.ShowMessage(line, "ERRORE", MESSAGE_OK);
  return 2;
}
