// The copy run, the program's last act: clears the player when asked,
// copies the songs of the random order into the player's root folder and
// writes the copy log "Playlist.txt" in the working directory.
#pragma once

#include <string>

#include "store/state_store.h"
#include "platform/platform.h"

// Runs the whole copy and always ends: early when the player is full or
// gone, or the user stops it. Returns 1 when every requested song was
// copied, 0 when some were not (the user has been told), -1 when the copy
// log could not be opened, kWorkingFolderRefused when the working folder
// takes no file at all (in both, the user has been told, the program asked
// to end, nothing touched).
constexpr int kWorkingFolderRefused = -2;
int CopyToPlayer(StateStore& dlg);

// The one run on the player's volume, held by what this returns; null,
// with the user told, while another program's run holds it.
std::unique_ptr<PlayerLock> TakePlayer(StateStore& dlg);

// Keeps the window alive during the run; true when the user asked to stop
// and, asked, confirmed it.
bool RunStopAsked(StateStore& dlg);

// Deletes the song files lying directly in the player's root folder, each
// logged before its deletion is tried; a file that cannot be deleted stays,
// logged and counted all the same. False when the user stopped it.
bool ClearPlayer(StateStore& dlg, OutputFile& log);

// True when the run may go on: clearing is not asked, or the player is a
// removable drive, or the user, asked, agreed to clear a drive that is not.
bool ConfirmClearing(StateStore& dlg);

// The local time now, as "05/12/2026 alle 15:31:07".
std::string FormatTimestamp();

// The copy log as it is written: Windows-1252, byte for byte as it always
// was, unless a song of the catalogue or a file in the player's root has a
// name outside it; then UTF-8 after its mark, which this writes. Decided once,
// before the first record.
std::unique_ptr<OutputFile> InLogEncoding(StateStore& dlg, std::unique_ptr<OutputFile> log);

// Writes text to the copy log as a text-mode stream does, each "\n" as
// CR LF. Failures are not reported: the log is a courtesy to the user.
void WriteLogText(OutputFile& log, const std::string& text);

// Sets a status text and repaints it at once, since the run keeps the
// window from processing anything until it ends.
void ShowProgress(StateStore& dlg, int id, const std::string& text);
