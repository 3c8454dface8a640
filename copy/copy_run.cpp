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

// Why the copying ended before every requested song was tried.
enum class Ending { Done, Full, Stopped, Gone };

struct Tally {
  int copied = 0;
  double bytes = 0.0;  // catalogued sizes of the songs copied
  Ending ending = Ending::Done;
};

// The player as the run found it: its drive and the volume standing there.
struct Player {
  std::string drive;
  FolderIdentity volume;
  bool present = false;
};

// True while the volume the run began with still stands at the drive.
bool StillThere(const Player& player) {
  FolderIdentity now;
  return player.present && System().VolumeIdentity(player.drive, now) && now == player.volume;
}

// The progress bar's whole length, whatever the number of songs.
constexpr int kProgressRange = 10000;

void ShowSongsDone(StateStore& dlg, double songs, int requested) {
  double part = requested > 0 ? songs / requested : 0.0;
  dlg.ShowProgressBar(IDC_PROGRESS, static_cast<int>(part * kProgressRange), kProgressRange);
}

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

// Free bytes of the player, shown to the user as they are measured; false
// when the player cannot tell them.
bool MeasureFreeSpace(StateStore& dlg, const std::string& player, double& freeBytes) {
  bool known = PlayerFreeBytes(player, freeBytes);
  ShowProgress(dlg, IDC_COMPILATION_INFO,
               Format("%.0f MBytes liberi nel nel lettore", freeBytes / 1024.0 / 1024.0));
  return known;
}

// Copies the song into the player's root folder under its own name, with
// "i" added before the dot for as long as the name is taken. A name that
// would grow past a path's limit fails with kNameTooLong. Within the song
// the bar advances by its bytes, and the user may stop the copy.
CopyResult CopySong(StateStore& dlg, const std::string& player, const Song& song, const Tally& tally,
                    int requested, unsigned long& error) {
  CopyProgress progress = [&](std::uint64_t done, std::uint64_t total) {
    ShowSongsDone(dlg, tally.copied + (total ? static_cast<double>(done) / total : 1.0), requested);
    return !RunStopAsked(dlg);
  };
  std::string source = song.folder + "\\" + song.name + "." + song.extension;
  std::string base = song.name;
  for (;;) {
    std::string destination = player + "\\" + base + "." + song.extension;
    ShowProgress(dlg, IDC_STATUS_LINE, "Sto copiando " + source);
    if (WindowsLength(destination) > PATH_BUFFER - 1) {
      error = kNameTooLong;
      return CopyResult::Failed;
    }
    CopyResult result = System().CopyNewFile(source, destination, error, progress);
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

// Done when the run may try another song, with the free space measured;
// otherwise what ends it. Trying the rest of a long order on a full player
// would take minutes and fill the log with skipped songs. A player whose
// free space cannot be read is gone, not full: its root no longer answers,
// whatever its identity still says.
Ending BeforeAttempt(StateStore& dlg, const Player& player, double margin, double smallest,
                     double& freeBytes) {
  if (RunStopAsked(dlg)) return Ending::Stopped;
  if (!StillThere(player) || !MeasureFreeSpace(dlg, player.drive, freeBytes)) return Ending::Gone;
  return Fits(margin, smallest, freeBytes) ? Ending::Done : Ending::Full;
}

// Goes through the order list until the requested songs are copied, the
// list ends, the player cannot take even the smallest song or is gone, or
// the user stops. A song that does not fit or fails to copy is logged as
// skipped and the next position taken; an entry naming no song is passed over.
void CopySongs(StateStore& dlg, OutputFile& log, const Player& player, int requested, int order,
               double margin, Tally& tally) {
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
    double freeBytes = 0.0;
    tally.ending = BeforeAttempt(dlg, player, margin, smallest, freeBytes);
    if (tally.ending != Ending::Done) return;
    if (!Fits(margin, song.size, freeBytes)) {
      WriteLogText(log, Format("   - %s (non copiato: spazio insufficiente)\n", song.name.c_str()));
      continue;
    }
    unsigned long error = 0;
    CopyResult result = CopySong(dlg, player.drive, song, tally, requested, error);
    if (result == CopyResult::Stopped) {
      tally.ending = Ending::Stopped;
      return;
    }
    if (result != CopyResult::Copied) {
      WriteLogText(log, Format("   - %s (non copiato: errore %lu)\n", song.name.c_str(), error));
      continue;
    }
    tally.bytes += song.size;
    ++tally.copied;
    ShowSongsDone(dlg, tally.copied, requested);
    WriteLogText(log, Format("%4d %s\n", tally.copied, song.name.c_str()));
  }
}

// Clears the player, unless it is gone; the user may stop on the way.
void ClearWithRecords(StateStore& dlg, OutputFile& log, const Player& player, Tally& tally) {
  if (!StillThere(player)) {
    tally.ending = Ending::Gone;
    return;
  }
  ShowProgress(dlg, IDC_CATALOGUE_INFO, "Cancello i file musicali del lettore");
  WriteLogText(log, Format("Inizio a cancellare il %s\n", FormatTimestamp().c_str()));
  if (!ClearPlayer(dlg, log)) tally.ending = Ending::Stopped;
  WriteLogText(log, Format("Finito di cancellare il %s\n\n", FormatTimestamp().c_str()));
}

// What stands in the log in place of the songs not tried.
const char* EndingRecord(Ending ending) {
  switch (ending) {
    case Ending::Full: return "   - lettore pieno\n";
    case Ending::Stopped: return "   - copia interrotta\n";
    case Ending::Gone: return "   - lettore scollegato\n";
    default: return "";
  }
}

// The closing message, when the run copied less than was asked.
void TellHowItEnded(StateStore& dlg, const Player& player, const Tally& tally, int requested) {
  std::string text;
  switch (tally.ending) {
    case Ending::Gone:
      text = Format("Il lettore %s non è più collegato.\nCopiati %d brani su %d richiesti.",
                    player.drive.c_str(), tally.copied, requested);
      break;
    case Ending::Stopped:
      text = Format("Copiati %d brani su %d richiesti: copia interrotta.", tally.copied, requested);
      break;
    case Ending::Full:
      text = Format("Copiati %d brani su %d richiesti: il lettore è pieno.", tally.copied, requested);
      break;
    case Ending::Done:
      if (tally.copied >= requested) return;
      text = Format("Copiati %d brani su %d richiesti.\nI brani non copiati sono elencati in \"Playlist.txt\".",
                    tally.copied, requested);
      break;
  }
  dlg.Window().ShowMessage(text, "A T T E N Z I O N E !", MESSAGE_OK | MESSAGE_ICON_EXCLAMATION);
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
  Player player;
  player.drive = dlg.ReadText(IDC_PLAYER_PATH, 8);
  player.present = System().VolumeIdentity(player.drive, player.volume);
  dlg.ShowProgressBar(IDC_PROGRESS, 0, 0);
  Tally tally;
  if (dlg.IsButtonChecked(IDC_CLEAR_BEFORE)) ClearWithRecords(dlg, *log, player, tally);

  int requested = ParseCount(dlg.ReadText(IDC_MAX_SONGS, 32));
  if (tally.ending == Ending::Done) {
    EmptyStatusTexts(dlg);
    ShowProgress(dlg, IDC_CATALOGUE_INFO, Format("Inizio a copiare %d brani nel lettore", requested));
    ShowSongsDone(dlg, 0, requested);
    int order = SelectOrderList(dlg, requested);
    double margin = ParseBytes(dlg.ReadText(IDC_CLUSTER_BYTES, 32));
    WriteLogText(*log, Format("Inizio a copiare i brani il %s\n\n", FormatTimestamp().c_str()));
    CopySongs(dlg, *log, player, requested, order, margin, tally);
  }
  WriteLogText(*log, EndingRecord(tally.ending));
  WriteLogText(*log, Format("\nFinito di copiare i brani il %s\n", FormatTimestamp().c_str()));
  WriteLogText(*log, Format("Scritti in totale %.0f KBytes\n", tally.bytes / 1024.0));
  log->Close();
  dlg.HideProgressBar(IDC_PROGRESS);

  TellHowItEnded(dlg, player, tally, requested);
  return tally.copied >= requested ? 1 : 0;
}

bool RunStopAsked(StateStore& dlg) {
  return dlg.Window().KeepAlive() &&
         dlg.Window().ShowMessage("Interrompere la copia?\nI brani già copiati restano nel lettore.",
                                  "A T T E N Z I O N E !", MESSAGE_YES_NO | MESSAGE_ICON_QUESTION) == ANSWER_YES;
}

std::unique_ptr<PlayerLock> TakePlayer(StateStore& dlg) {
  std::string drive = dlg.ReadText(IDC_PLAYER_PATH, 8);
  FolderIdentity volume;
  // A player that is not there holds no lock; the run finds it gone.
  if (!System().VolumeIdentity(drive, volume)) return std::make_unique<PlayerLock>();
  std::unique_ptr<PlayerLock> lock = System().LockPlayer(volume);
  if (!lock) {
    dlg.Window().ShowMessage(Format("Il lettore %s è in uso da un'altra copia di Mescola.\n"
                                    "Riprovare quando avrà finito.", drive.c_str()),
                             "ERRORE", MESSAGE_OK | MESSAGE_ICON_EXCLAMATION);
  }
  return lock;
}
