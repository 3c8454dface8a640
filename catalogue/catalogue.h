// The song catalogue: four parallel hidden lists (folder, name, extension,
// size) whose entry k describes song k, the random orders drawn from it, and
// the two summary lines.
#pragma once

#include <string>
#include <string_view>

#include "store/numbers.h"
#include "store/state_store.h"

// Throws the catalogue away and walks every included folder again.
void RebuildCatalogue(StateStore& dlg);
// Appends every song in folder and below it; false when the user stopped
// the walk, which keeps the songs found until then.
bool ScanFolder(StateStore& dlg, const std::string& folder);
// True when no entry of excludedList excludes folder: an entry excludes the
// folder it names and every folder below it, ignoring the case of A to Z.
bool IsFolderAllowed(StateStore& dlg, const std::string& folder, int excludedList);
// True for mp3, wma, m4p, vqf, ape and wav, ignoring case.
bool IsSongExtension(std::string_view extension);
// True for a file name whose extension, after its last dot, is a song's:
// the files the scan catalogues, the player's measure counts and clearing
// deletes.
bool IsSongFile(std::string_view name);

// Keeps the permutation and the draws with repetition in step with the song
// count and the requested number.
void DrawRandomOrder(StateStore& dlg);
// The order list that a compilation of requested songs reads.
int SelectOrderList(StateStore& dlg, int requested);

// The sizes of all the songs of the catalogue added up.
double CatalogueBytes(StateStore& dlg);
void ShowCatalogueSummary(StateStore& dlg);
void ShowCompilationSummary(StateStore& dlg);
