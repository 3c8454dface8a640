// One rebuild as a whole process, for the benchmark to time from its start
// to its end: the floor scan, or the catalogue of ROOT on the table store or
// on the program's own window. The process ends as soon as the work is
// done, as the time a user waits for the first listing ends there.
//
//   mescola_whole floor|table|window NATIVE_ROOT
#include <cstdlib>
#include <memory>
#include <string>

#include "app/dispatch.h"
#include "catalogue/catalogue.h"
#include "quiet_shell.h"
#include "store/table_store.h"
#include "system.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::string mode = argv[1];
  std::string root = argv[2];
  if (mode == "floor") {
    if (FloorScan(root).songs == 0) return 1;
  } else {
    std::unique_ptr<StateStore> dlg;
    if (mode == "window") {
      dlg = OpenMainDialog();
    } else {
      auto table = std::make_unique<TableStore>(Quiet(), &MainDialogEvents());
      table->Initialise();
      dlg = std::move(table);
    }
    if (!dlg) return 1;
    // As in every benchmark dialog: excluded folders that match nothing
    // still cost their test at every folder.
    std::string path = ProgramPath(root);
    dlg->AddEntry(IDC_INCLUDED_LIST, path);
    dlg->AddEntry(IDC_EXCLUDED_LIST, "C:\\Podcast");
    dlg->AddEntry(IDC_EXCLUDED_LIST, path + "\\Audiolibri");
    RebuildCatalogue(*dlg);
    if (dlg->CountEntries(IDC_SONG_NAMES) == 0) return 1;
  }
  std::_Exit(0);
}
