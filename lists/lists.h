// The included and excluded folder lists, the playlist files that keep
// them, and the last-copy record "ultima.lis".
#pragma once

#include <string>

#include "store/state_store.h"

// The four list changes behind the add and remove buttons. Each may change
// nothing (a folder already listed, no entry selected); all return 1.
int AddIncludedFolder(StateStore& dlg);
int AddExcludedFolder(StateStore& dlg);
int RemoveIncludedFolder(StateStore& dlg);
int RemoveExcludedFolder(StateStore& dlg);

// The playlist text of both lists, UTF-8: "*" lines for IDC_INCLUDED_LIST, then "?"
// lines for IDC_EXCLUDED_LIST, each ended by CR LF. False after a memory
// failure, which it has reported and which ended the dialog.
bool BuildPlaylistText(StateStore& dlg, std::string& text);

// Adds the lines of a playlist file's bytes to both lists (it does not
// empty them first). Reading stops at the first NUL byte; the bytes before
// it are decoded as DecodeTextFile says. Lines end with CR LF, LF or
// CR; "*" anywhere makes its line and the following ones included, any other
// marker excluded; a path of more than 259 characters is left out.
void ParsePlaylist(StateStore& dlg, const std::string& text);

// Writes the lists to the file named in IDC_PLAYLIST_PATH, or, when there is
// none yet, to a file the user chooses. True only when the file holds the
// lists; a failure has been reported to the user and leaves the lists marked
// as modified.
bool SaveCurrentPlaylist(StateStore& dlg);
// Asks for a file and writes the lists to it; the file becomes the current
// one. False when the user cancelled or the file could not be written.
bool SavePlaylistAs(StateStore& dlg);
// Asks for a playlist file and replaces both lists with its entries. False
// when the user cancelled or the file could not be read (reported; nothing
// changed). The caller rebuilds the catalogue after a true.
bool OpenPlaylist(StateStore& dlg);

// Writes the lists to "ultima.lis" in the working directory, unless the
// included list is empty. Returns 1, or -1 after a failure it has reported
// (an older ultima.lis is then left as it was).
int WriteLastCopyRecord(StateStore& dlg);

// Tells the user that the file at path could not be opened ("aprire") or
// written ("scrivere").
void ReportFailure(StateStore& dlg, const char* what, const std::string& path);
// Tells the user what failed, adding that another program may hold the file.
void ReportInUse(StateStore& dlg, const std::string& what);
