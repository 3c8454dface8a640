// The included and excluded folder lists, the playlist files that keep
// them, and the last-copy record "ultima.lis".
#pragma once

#include <string>

#include "app/state_store.h"

// The playlist text of both lists: "*" lines for IDC_INCLUDED_LIST, then "?"
// lines for IDC_EXCLUDED_LIST, each ended by CR LF. False after a memory
// failure, which it has reported and which ended the dialog.
bool BuildPlaylistText(StateStore& dlg, std::string& text);

// Writes the lists to the file named in IDC_PLAYLIST_PATH and marks them as
// saved. True when the file holds them.
bool SaveCurrentPlaylist(StateStore& dlg);
