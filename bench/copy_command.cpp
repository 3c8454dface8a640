// The program's copy run as a process of its own, for copy_bench to time
// against cp process for process: starts the dialog on the table store,
// includes the library, scans it and runs "Mescola e copia" onto the player
// (drive E:, removable), with repetitions forbidden and clearing selected.
// The copy log is written in the working directory.
//
//   mescola_copy LIBRARY_DIR PLAYER_DIR
//
// Exits with 0 when every song was copied.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/dispatch.h"
#include "quiet_shell.h"
#include "store/table_store.h"
#include "catalogue/catalogue.h"
#include "copy/copy.h"
#include "platform/posix/drive_map.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mescola_copy LIBRARY_DIR PLAYER_DIR\n");
    return 2;
  }
  std::string drives = "C=fixed:/;E=removable:" + fs::absolute(argv[2]).string();
  setenv("MESCOLA_DRIVES", drives.c_str(), 1);
  TableStore dlg(Quiet(), &MainDialogEvents());
  dlg.Initialise();
  dlg.AddEntry(IDC_INCLUDED_LIST, FromNativePath(fs::absolute(argv[1]).string()));
  RebuildCatalogue(dlg);
  dlg.SetText(IDC_PLAYER_PATH, "E:");
  dlg.SetText(IDC_CLUSTER_BYTES, "4096");
  int result = CopyToPlayer(dlg);
  if (result != 1) std::fprintf(stderr, "mescola_copy: the copy run ended with %d\n", result);
  return result == 1 ? 0 : 1;
}
