#include <cstdint>

#include "store/text.h"
#include "catalogue/catalogue.h"
#include "platform/platform.h"
#include "player.h"

int MeasurePlayer(StateStore& dlg) {
  std::string player = dlg.ReadText(IDC_PLAYER_PATH, 16);
  // A volume that cannot tell (a drive without a medium) leaves 0 bytes and
  // a 0 cluster, shown as no space at all.
  DiskSpace space;
  System().VolumeSpace(player, space);
  dlg.SetText(IDC_FREE_BYTES, Format("%.0f", space.freeBytes));
  // A cluster of 0 gives the empty text.
  dlg.SetText(IDC_CLUSTER_BYTES, Format("%.u", static_cast<unsigned>(space.clusterBytes)));
  dlg.SetText(IDC_PLAYER_PATH, player);
  double recoverable = 0;
  SumPlayerMusic(player, recoverable);
  dlg.SetText(IDC_RECOVERABLE_BYTES, Format("%.0f", recoverable));
  ShowPlayerSpace(dlg);
  return 0;
}

int SumPlayerMusic(const std::string& folder, double& total) {
  std::unique_ptr<FolderListing> listing = System().ListFolder(folder);
  if (!listing) return -4;
  // The same files that clearing the player deletes: songs in the root only.
  std::uint32_t sum = 0;
  FolderEntry entry;
  while (listing->Next(entry)) {
    if (entry.folder || !IsSongFile(entry.name)) continue;
    sum += listing->SizeLow();
  }
  total = sum;
  return 0;
}

void ShowPlayerSpace(StateStore& dlg) {
  // Single precision, as the figures are only shown rounded to megabytes.
  float freeBytes = static_cast<float>(ParseBytes(dlg.ReadText(IDC_FREE_BYTES, 64)));
  float recoverable = static_cast<float>(ParseBytes(dlg.ReadText(IDC_RECOVERABLE_BYTES, 64)));
  const float megabyte = 1048576.0f;
  std::string line;
  if (recoverable < megabyte) {
    line = Format("Nel lettore: %.0f MBytes liberi", freeBytes / megabyte);
  } else {
    line = Format("Nel lettore: %.0f MBytes liberi, %.0f MBytes recuperabili, %.0f MBytes disponibili",
                  freeBytes / megabyte, recoverable / megabyte, (recoverable + freeBytes) / megabyte);
  }
  dlg.SetText(IDC_STATUS_LINE, line);
}

bool PlayerFreeBytes(const std::string& player, double& freeBytes) {
  DiskSpace space;
  bool known = System().VolumeSpace(player + "\\", space);
  freeBytes = known ? space.freeBytes : 0.0;
  return known;
}
