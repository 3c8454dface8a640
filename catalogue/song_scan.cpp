#include "catalogue.h"

#include <charconv>
#include <unordered_set>
#include <vector>

#include "store/text.h"
#include "platform/platform.h"

namespace {

// The excluded folder itself and every folder below it, by whole names:
// C:\Musica\Live does not exclude C:\Musica\Live 2.
bool Excludes(const std::string& excluded, const std::string& folder) {
  std::size_t length = excluded.size();
  if (length == 0 || length > folder.size()) return false;
  if (length < folder.size() && folder[length] != '\\') return false;
  return SameIgnoringAsciiCase(excluded, std::string_view(folder).substr(0, length));
}

// Folder numbers are unique within a volume, and volumes few.
struct IdentityHash {
  std::size_t operator()(const FolderIdentity& folder) const {
    return std::hash<std::uint64_t>()(folder.index * 31 + folder.volume);
  }
};

// Songs found and not yet in the lists, each text ended by a NUL. The
// four lists are filled a batch at a time, one after the other: a system
// list box makes room for a few entries at a time, and four lists growing
// side by side leave each other's old room behind them (under Wine, nine
// times the memory their entries need, and twice the time).
struct Batch {
  std::string folders;
  std::string names;
  std::string extensions;
  std::string sizes;
  int songs = 0;
};

constexpr int kBatchSongs = 4096;

// What a scan carries from folder to folder: the songs of the batch, the
// folders entered where a link may have led, and whether the user stopped
// the walk.
struct Scratch {
  Batch batch;
  std::unordered_set<FolderIdentity, IdentityHash> entered;
  bool stopped = false;  // the user stopped the walk
};

// Between folders the window is kept alive; Escape or its close box ask
// whether to stop.
bool StopAsked(StateStore& dlg) {
  return dlg.Window().KeepAlive() &&
         dlg.Window().ShowMessage("Interrompere la ricerca dei brani?", "A T T E N Z I O N E !",
                                  MESSAGE_YES_NO | MESSAGE_ICON_QUESTION) == ANSWER_YES;
}

void Flush(StateStore& dlg, Batch& batch) {
  if (batch.songs == 0) return;
  dlg.AppendEntries(IDC_SONG_FOLDERS, batch.folders);
  dlg.AppendEntries(IDC_SONG_NAMES, batch.names);
  dlg.AppendEntries(IDC_SONG_EXTS, batch.extensions);
  dlg.AppendEntries(IDC_SONG_SIZES, batch.sizes);
  for (std::string* texts : {&batch.folders, &batch.names, &batch.extensions, &batch.sizes}) texts->clear();
  batch.songs = 0;
}

void AddSong(StateStore& dlg, const std::string& folder, std::string_view file, std::size_t dot,
             std::uint32_t size, Batch& batch) {
  batch.folders.append(folder).push_back('\0');
  batch.names.append(file.substr(0, dot)).push_back('\0');
  batch.extensions.append(file.substr(dot + 1)).push_back('\0');
  char digits[16];
  char* end = std::to_chars(digits, digits + sizeof digits, size).ptr;
  batch.sizes.append(digits, end).push_back('\0');
  if (++batch.songs == kBatchSongs) Flush(dlg, batch);
}

// True when the folder listed, reached where a link may lead, is one of
// the folders on the walk (a link back, which would never end) or was
// entered so before in this scan: folders that many links lead to, as in
// /proc, would be walked, and their songs catalogued, once per path.
bool WalkedAlready(FolderListing& folder, const std::vector<FolderListing*>& walk,
                   Scratch& scratch) {
  FolderIdentity identity, other;
  if (!folder.Identity(identity)) return false;
  for (FolderListing* open : walk) {
    if (open->Identity(other) && other == identity) return true;
  }
  return !scratch.entered.insert(identity).second;
}

// Walks the folder named by path; a subfolder's name is appended to path
// for its walk and taken off again afterwards. walk holds the listings of
// the folders being walked, outermost first.
void Walk(StateStore& dlg, std::string& path, Scratch& scratch, std::vector<FolderListing*>& walk,
          bool mayLoop) {
  if (scratch.stopped || (scratch.stopped = StopAsked(dlg))) return;
  std::size_t units = WindowsLength(path);
  if (units > MAX_LISTED_FOLDER) return;
  std::unique_ptr<FolderListing> listing = System().ListFolder(path);
  if (!listing || (mayLoop && WalkedAlready(*listing, walk, scratch))) return;
  walk.push_back(listing.get());
  FolderEntry entry;
  while (listing->Next(entry)) {
    std::string_view name = entry.name;
    if (name == "." || name == "..") continue;
    // A path that does not fit a path buffer can be neither listed nor
    // copied. A name has no more UTF-16 units than bytes.
    std::size_t room = static_cast<std::size_t>(PATH_BUFFER - 1) - (units + 1);
    if (name.size() > room && WindowsLength(name) > room) continue;
    if (entry.folder) {
      std::size_t length = path.size();
      path.append(1, '\\').append(name);
      if (IsFolderAllowed(dlg, path, IDC_EXCLUDED_LIST)) Walk(dlg, path, scratch, walk, entry.mayLoop);
      path.resize(length);
      if (scratch.stopped) break;
      continue;
    }
    if (!IsSongFile(name)) continue;
    std::size_t dot = name.rfind('.');
    // A FIFO or device named like a song could never be copied.
    if (!listing->RegularFile()) continue;
    AddSong(dlg, path, name, dot, listing->SizeLow(), scratch.batch);
  }
  walk.pop_back();
}

}  // namespace

bool IsSongFile(std::string_view name) {
  std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && IsSongExtension(name.substr(dot + 1));
}

bool IsSongExtension(std::string_view extension) {
  static constexpr std::string_view kSongs[] = {"mp3", "wma", "m4p", "vqf", "ape", "wav"};
  if (extension.size() != 3) return false;
  for (std::string_view song : kSongs) {
    if (SameIgnoringAsciiCase(extension, song)) return true;
  }
  return false;
}

bool IsFolderAllowed(StateStore& dlg, const std::string& folder, int excludedList) {
  std::string excluded;
  int count = dlg.CountEntries(excludedList);
  for (int i = 0; i < count; ++i) {
    dlg.ReadEntry(excludedList, i, excluded);
    if (Excludes(excluded, folder)) return false;
  }
  return true;
}

bool ScanFolder(StateStore& dlg, const std::string& folder) {
  std::string path = folder;
  path.reserve(PATH_BUFFER);
  Scratch scratch;
  std::vector<FolderListing*> walk;
  Walk(dlg, path, scratch, walk, false);
  Flush(dlg, scratch.batch);
  return !scratch.stopped;
}

void RebuildCatalogue(StateStore& dlg) {
  dlg.SetText(IDC_CATALOGUE_INFO, "Compilo l'elenco dei brani");
  // The window stays busy until the scan ends: show the line now.
  dlg.Repaint(IDC_CATALOGUE_INFO);
  dlg.ShowProgressBar(IDC_PROGRESS, 0, 0);
  for (int id : {IDC_SONG_NAMES, IDC_SONG_FOLDERS, IDC_SONG_EXTS, IDC_SONG_SIZES}) dlg.ClearList(id);

  // A stopped scan keeps the songs found so far: each batch went into the
  // four lists together, the last one when the walk stopped, so they stay
  // a catalogue.
  std::string included;
  bool whole = true;
  int folders = dlg.CountEntries(IDC_INCLUDED_LIST);
  for (int i = 0; whole && i < folders; ++i) {
    dlg.ReadEntry(IDC_INCLUDED_LIST, i, included);
    if (IsFolderAllowed(dlg, included, IDC_EXCLUDED_LIST)) whole = ScanFolder(dlg, included);
  }

  std::string count = std::to_string(dlg.CountEntries(IDC_SONG_NAMES));
  dlg.SetText(IDC_SONG_COUNT, count);
  // Runs the change handling of the field: the order and the compilation
  // line are redrawn before the total below is known.
  dlg.SetText(IDC_MAX_SONGS, count);

  dlg.SetText(IDC_SONGS_TOTAL, Format("%.0f", CatalogueBytes(dlg)));
  ShowCatalogueSummary(dlg);
  DrawRandomOrder(dlg);
  dlg.HideProgressBar(IDC_PROGRESS);
  if (!whole) dlg.SetText(IDC_STATUS_LINE, "Ricerca dei brani interrotta");
}
