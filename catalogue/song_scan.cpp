#include "catalogue.h"

#include <algorithm>
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

// What a scan carries from folder to folder: texts reused from song to song,
// so that cataloguing a song allocates only what the store keeps; how many
// songs the lists hold and have room for; and the folders entered where a
// link may have led.
struct Scratch {
  std::string name;
  std::string extension;
  std::string size;
  int songs = 0;
  int room = 0;
  std::unordered_set<FolderIdentity, IdentityHash> entered;
};

// How many songs there will be is known only after the walk: the lists are
// told of room for as many songs again whenever they are full, so that
// they grow in doubling steps, never song by song. A folder's text is
// shared by the songs in it, so only its entries are counted.
void MakeRoom(StateStore& dlg, const Scratch& scratch, int more) {
  auto bytes = [more](const std::string& text) { return static_cast<std::size_t>(more) * text.size(); };
  dlg.PrepareList(IDC_SONG_FOLDERS, more, 0);
  dlg.PrepareList(IDC_SONG_NAMES, more, bytes(scratch.name));
  dlg.PrepareList(IDC_SONG_EXTS, more, bytes(scratch.extension));
  dlg.PrepareList(IDC_SONG_SIZES, more, bytes(scratch.size));
}

void AddSong(StateStore& dlg, const std::string& folder, const std::string& file,
             std::size_t dot, std::uint32_t size, Scratch& scratch) {
  scratch.name.assign(file, 0, dot);
  scratch.extension.assign(file, dot + 1, std::string::npos);
  scratch.size = std::to_string(size);
  if (scratch.songs == scratch.room) {
    int more = std::max(scratch.room, 1024);
    MakeRoom(dlg, scratch, more);
    scratch.room += more;
  }
  ++scratch.songs;
  dlg.AddEntry(IDC_SONG_FOLDERS, folder);
  dlg.AddEntry(IDC_SONG_NAMES, scratch.name);
  dlg.AddEntry(IDC_SONG_EXTS, scratch.extension);
  dlg.AddEntry(IDC_SONG_SIZES, scratch.size);
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
  std::size_t units = WindowsLength(path);
  if (units > MAX_LISTED_FOLDER) return;
  std::unique_ptr<FolderListing> listing = System().ListFolder(path);
  if (!listing || (mayLoop && WalkedAlready(*listing, walk, scratch))) return;
  walk.push_back(listing.get());
  FolderEntry entry;
  while (listing->Next(entry)) {
    const std::string& name = entry.name;
    if (name == "." || name == "..") continue;
    // A path that does not fit a path buffer can be neither listed nor copied.
    if (units + 1 + WindowsLength(name) > PATH_BUFFER - 1) continue;
    if (entry.folder) {
      std::size_t length = path.size();
      path.append(1, '\\').append(name);
      if (IsFolderAllowed(dlg, path, IDC_EXCLUDED_LIST)) Walk(dlg, path, scratch, walk, entry.mayLoop);
      path.resize(length);
      continue;
    }
    if (!IsSongFile(name)) continue;
    std::size_t dot = name.rfind('.');
    // A FIFO or device named like a song could never be copied.
    if (!listing->RegularFile()) continue;
    AddSong(dlg, path, name, dot, listing->SizeLow(), scratch);
  }
  walk.pop_back();
}

}  // namespace

bool IsSongFile(std::string_view name) {
  std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && IsSongExtension(name.substr(dot + 1));
}

bool IsSongExtension(std::string_view extension) {
  if (extension.size() != 3) return false;
  for (const char* song : {"mp3", "wma", "m4p", "vqf", "ape", "wav"}) {
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

void ScanFolder(StateStore& dlg, const std::string& folder) {
  std::string path = folder;
  path.reserve(PATH_BUFFER);
  Scratch scratch;
  scratch.songs = scratch.room = dlg.CountEntries(IDC_SONG_NAMES);
  std::vector<FolderListing*> walk;
  Walk(dlg, path, scratch, walk, false);
}

void RebuildCatalogue(StateStore& dlg) {
  dlg.SetText(IDC_CATALOGUE_INFO, "Compilo l'elenco dei brani");
  // The window stays busy until the scan ends: show the line now.
  dlg.Repaint(IDC_CATALOGUE_INFO);
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
    total += ParseBytes(size);
  }
  dlg.SetText(IDC_SONGS_TOTAL, Format("%.0f", total));
  ShowCatalogueSummary(dlg);
  DrawRandomOrder(dlg);
}
