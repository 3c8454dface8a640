#include "store/text.h"
#include "catalogue/catalogue.h"
#include "copy.h"
#include "lists/lists.h"
#include "player/player.h"

namespace {

constexpr char kLogName[] = "Playlist.txt";
// The code a destination name that has grown past a path's limit is
// reported with: Win32's ERROR_FILENAME_EXCED_RANGE.
constexpr unsigned long kNameTooLong = 206;

struct Song {
  std::string folder;
  std::string name;
  std::string extension;
  double size = 0.0;  // bytes, as catalogued
};

struct Tally {
  int copied = 0;
  double bytes = 0.0;  // catalogued sizes of the songs copied
};

// Creates the copy log in the working directory, which it names; Failed
// too when the directory cannot be told.
CreateResult OpenCopyLog(std::string& directory, std::unique_ptr<OutputFile>& log) {
  directory = System().CurrentDirectory();
  if (directory.empty()) return CreateResult::Failed;
  return System().CreateOutputFile(directory + (directory.back() == '\\' ? "" : "\\") + kLogName, log);
}

void EmptyStatusTexts(StateStore& dlg) {
  for (int id : {IDC_CATALOGUE_INFO, IDC_COMPILATION_INFO, IDC_STATUS_LINE}) ShowProgress(dlg, id, "");
}

// Song k of a catalogue of songs; false when k names none.
bool ReadSong(StateStore& dlg, int k, int songs, Song& song) {
  if (k < 0 || k >= songs) return false;
  std::string size;
  dlg.ReadEntry(IDC_SONG_FOLDERS, k, song.folder);
  dlg.ReadEntry(IDC_SONG_NAMES, k, song.name);
  dlg.ReadEntry(IDC_SONG_EXTS, k, song.extension);
  dlg.ReadEntry(IDC_SONG_SIZES, k, size);
  song.size = ParseBytes(size);
  return true;
}

// Free bytes of the player, shown to the user as they are measured.
double MeasureFreeSpace(StateStore& dlg, const std::string& player) {
  double freeBytes = 0.0;
  PlayerFreeBytes(player, freeBytes);
  ShowProgress(dlg, IDC_COMPILATION_INFO,
               Format("%.0f MBytes liberi nel nel lettore", freeBytes / 1024.0 / 1024.0));
  return freeBytes;
}

// Copies the song into the player's root folder under its own name, with
// "i" added before the dot for as long as the name is taken. A name that
// would grow past a path's limit fails with kNameTooLong.
CopyResult CopySong(StateStore& dlg, const std::string& player, const Song& song,
                    unsigned long& error) {
  std::string source = song.folder + "\\" + song.name + "." + song.extension;
  std::string base = song.name;
  for (;;) {
    std::string destination = player + "\\" + base + "." + song.extension;
    ShowProgress(dlg, IDC_STATUS_LINE, "Sto copiando " + source);
    if (WindowsLength(destination) > PATH_BUFFER - 1) {
      error = kNameTooLong;
      return CopyResult::Failed;
    }
    CopyResult result = System().CopyNewFile(source, destination, error);
    if (result != CopyResult::Exists) return result;
    base += 'i';
  }
}

// The size in bytes of the smallest song of the catalogue; 0 without songs.
double SmallestSong(StateStore& dlg) {
  std::string size;
  int songs = dlg.CountEntries(IDC_SONG_SIZES);
  double smallest = 0.0;
  for (int k = 0; k < songs; ++k) {
    dlg.ReadEntry(IDC_SONG_SIZES, k, size);
    double bytes = ParseBytes(size);
    if (k == 0 || bytes < smallest) smallest = bytes;
  }
  return smallest;
}

// A song fits only with a cluster to spare: equal is not enough.
bool Fits(double margin, double size, double freeBytes) { return margin + size < freeBytes; }

// Goes through the order list until the requested songs are copied, the
// list ends or the player cannot take even the smallest song. A song that
// does not fit or fails to copy is logged as skipped and the next position
// taken; an entry naming no song is passed over.
Tally CopySongs(StateStore& dlg, OutputFile& log, const std::string& player, int requested,
                int order, double margin) {
  Tally tally;
  int songs = dlg.CountEntries(IDC_SONG_NAMES);
  int positions = dlg.CountEntries(order);
  double smallest = SmallestSong(dlg);
  std::string entry;
  Song song;
  for (int i = 0; tally.copied < requested && i < positions; ++i) {
    ShowProgress(dlg, IDC_CATALOGUE_INFO,
                 Format("Copio il %d° brano di %d", tally.copied + 1, requested));
    dlg.ReadEntry(order, i, entry);
    if (!ReadSong(dlg, ParseCount(entry), songs, song)) continue;
    double freeBytes = MeasureFreeSpace(dlg, player);
    // Trying the rest of a long order on a full player would take minutes
    // and fill the log with skipped songs.
    if (!Fits(margin, smallest, freeBytes)) {
      WriteLogText(log, "   - lettore pieno\n");
      break;
    }
    if (!Fits(margin, song.size, freeBytes)) {
      WriteLogText(log, Format("   - %s (non copiato: spazio insufficiente)\n", song.name.c_str()));
      continue;
    }
    unsigned long error = 0;
    if (CopySong(dlg, player, song, error) != CopyResult::Copied) {
      WriteLogText(log, Format("   - %s (non copiato: errore %lu)\n", song.name.c_str(), error));
      continue;
    }
    tally.bytes += song.size;
    ++tally.copied;
    WriteLogText(log, Format("%4d %s\n", tally.copied, song.name.c_str()));
  }
  return tally;
}

void ClearWithRecords(StateStore& dlg, OutputFile& log) {
  ShowProgress(dlg, IDC_CATALOGUE_INFO, "Cancello i file musicali del lettore");
  WriteLogText(log, Format("Inizio a cancellare il %s\n", FormatTimestamp().c_str()));
  ClearPlayer(dlg, log);
  WriteLogText(log, Format("Finito di cancellare il %s\n\n", FormatTimestamp().c_str()));
}

}  // namespace

int CopyToPlayer(StateStore& dlg) {
  std::string directory;
  std::unique_ptr<OutputFile> log;
  CreateResult opened = OpenCopyLog(directory, log);
  // Said once, before anything is touched: every later write there would fail too.
  if (opened == CreateResult::Refused) {
    dlg.Window().ShowMessage(Format("Impossibile scrivere nella cartella %s\ndove Mescola scrive "
                                    "\"Playlist.txt\" e \"ultima.lis\".", directory.c_str()),
                             "ERRORE", MESSAGE_OK);
    dlg.Window().Quit(1);
    return kWorkingFolderRefused;
  }
  if (opened != CreateResult::Created) {
    ReportFailure(dlg, "aprire", kLogName);
    dlg.Window().Quit(-1);
    return -1;
  }
  log = InLogEncoding(dlg, std::move(log));
  WriteLogText(*log, "PLAY-LIST\n\n");
  EmptyStatusTexts(dlg);
  std::string player = dlg.ReadText(IDC_PLAYER_PATH, 8);
  if (dlg.IsButtonChecked(IDC_CLEAR_BEFORE)) ClearWithRecords(dlg, *log);

  int requested = ParseCount(dlg.ReadText(IDC_MAX_SONGS, 32));
  EmptyStatusTexts(dlg);
  ShowProgress(dlg, IDC_CATALOGUE_INFO, Format("Inizio a copiare %d brani nel lettore", requested));
  int order = SelectOrderList(dlg, requested);
  double margin = ParseBytes(dlg.ReadText(IDC_CLUSTER_BYTES, 32));
  WriteLogText(*log, Format("Inizio a copiare i brani il %s\n\n", FormatTimestamp().c_str()));
  Tally tally = CopySongs(dlg, *log, player, requested, order, margin);
  WriteLogText(*log, Format("\nFinito di copiare i brani il %s\n", FormatTimestamp().c_str()));
  WriteLogText(*log, Format("Scritti in totale %.0f KBytes\n", tally.bytes / 1024.0));
  log->Close();

  if (tally.copied >= requested) return 1;
  dlg.Window().ShowMessage(Format("Copiati %d brani su %d richiesti.\n"
                                  "I brani non copiati sono elencati in \"Playlist.txt\".",
                                  tally.copied, requested),
                           "A T T E N Z I O N E !", MESSAGE_OK | MESSAGE_ICON_EXCLAMATION);
  return 0;
}
