// The player: the removable drive that receives the songs, found at
// start-up or chosen by the user, and its space.
#pragma once

#include <string>

#include "store/state_store.h"

// At start-up: the one removable drive from C: to Z: becomes the player
// (IDC_PLAYER_PATH) and is measured; none gives "NESSUNO", several
// "TROPPI", each with its status line.
void DetectPlayer(StateStore& dlg);
// "Scegli come lettore": the selected drive root becomes the player and is
// measured; the selected folder is emptied.
void ChoosePlayer(StateStore& dlg);

// Measures the player named in IDC_PLAYER_PATH: free bytes, cluster bytes
// and the song bytes in its root folder into their statics, then the status
// line. A volume that cannot tell shows 0 free bytes. Returns 0.
int MeasurePlayer(StateStore& dlg);
// Sets total to the bytes of the song files directly in folder, summed in
// 32 bits. Returns 0, or -4 (total untouched) when the folder cannot be listed.
int SumPlayerMusic(const std::string& folder, double& total);
// The status line from IDC_FREE_BYTES and IDC_RECOVERABLE_BYTES, in megabytes.
void ShowPlayerSpace(StateStore& dlg);

// The free bytes of the player's volume, asked afresh. False (and 0 bytes)
// when the volume cannot tell, so that no song is taken to fit.
bool PlayerFreeBytes(const std::string& player, double& freeBytes);
