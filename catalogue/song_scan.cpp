#include "catalogue.h"

#include "app/text.h"
#include "platform/platform.h"

namespace {

// A folder is listed through the pattern folder\*.*, which must fit in a
// path buffer.
constexpr std::size_t kMaxFolderLength = PATH_BUFFER - 1 - 4;

void AddSong(StateStore& dlg, const std::string& folder, const std::string& file,
             std::size_t dot, std::uint32_t size) {
  dlg.AddEntry(IDC_SONG_FOLDERS, folder);
  dlg.AddEntry(IDC_SONG_NAMES, file.substr(0, dot));
  dlg.AddEntry(IDC_SONG_EXTS, file.substr(dot + 1));
  dlg.AddEntry(IDC_SONG_SIZES, std::to_string(size));
}

}  // namespace

bool IsSongExtension(const std::string& extension) {
  for (const char* song : {"mp3", "wma", "m4p", "vqf", "ape", "wav"}) {
    if (EqualIgnoringCase(extension, song)) return true;
  }
  return false;
}

bool IsFolderAllowed(StateStore& dlg, const std::string& folder, int excludedList) {
  bool allowed = true;
  std::string excluded;
  int count = dlg.CountEntries(excludedList);
  for (int i = 0; i < count; ++i) {
    dlg.ReadEntry(excludedList, i, excluded);
    if (excluded.empty() || excluded.size() > folder.size()) continue;
    bool samePrefix = CompareIgnoringCase(folder.substr(0, excluded.size()), excluded) == 0;
    // Whole folder names only: C:\Musica\Live does not exclude C:\Musica\Live 2.
    if (samePrefix && (folder.size() == excluded.size() || folder[excluded.size()] == '\\')) {
      allowed = false;
    }
  }
  return allowed;
}

void ScanFolder(StateStore& dlg, const std::string& folder) {
  if (folder.size() > kMaxFolderLength) return;
  std::unique_ptr<FolderListing> listing = Os().ListFolder(folder);
  if (!listing) return;
  FolderEntry entry;
  while (listing->Next(entry)) {
    const std::string& name = entry.name;
    if (name == "." || name == "..") continue;
    // A path that would not fit a path buffer can be neither listed nor copied.
    if (folder.size() + 1 + name.size() > PATH_BUFFER - 1) continue;
    if (entry.folder) {
      std::string subfolder = folder + "\\" + name;
      if (IsFolderAllowed(dlg, subfolder, IDC_EXCLUDED_LIST)) ScanFolder(dlg, subfolder);
      continue;
    }
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || !IsSongExtension(name.substr(dot + 1))) continue;
    AddSong(dlg, folder, name, dot, listing->SizeLow());
  }
}

void RebuildCatalogue(StateStore& dlg) {
  dlg.SetText(IDC_CATALOGUE_INFO, "Compilo l'elenco dei brani");
  for (int id : {IDC_SONG_NAMES, IDC_SONG_FOLDERS, IDC_SONG_EXTS, IDC_SONG_SIZES}) dlg.ClearList(id);

  std::string included;
  int folders = dlg.CountEntries(IDC_INCLUDED_LIST);
  for (int i = 0; i < folders; ++i) {
    dlg.ReadEntry(IDC_INCLUDED_LIST, i, included);
    if (IsFolderAllowed(dlg, included, IDC_EXCLUDED_LIST)) ScanFolder(dlg, included);
  }

  std::string count = std::to_string(dlg.CountEntries(IDC_SONG_NAMES));
  dlg.SetText(IDC_SONG_COUNT, count);
  // Runs the change handling of the field: the order and the compilation
  // line are redrawn before the total below is known.
  dlg.SetText(IDC_MAX_SONGS, count);

  double total = 0.0;
  std::string size;
  int songs = dlg.CountEntries(IDC_SONG_SIZES);
  for (int k = 0; k < songs; ++k) {
    dlg.ReadEntry(IDC_SONG_SIZES, k, size);
    total += ReadSize(size);
  }
  dlg.SetText(IDC_SONGS_TOTAL, Format("%.0f", total));
  ShowCatalogueSummary(dlg);
  DrawRandomOrder(dlg);
}
