// The Linux program's drive letters come from MESCOLA_DRIVES when it is set;
// a map it cannot read stops the program before the window shows.
#pragma once

#include "store/shell.h"

// When an item of the system's drive map cannot be read, names it in a
// message box of shell and on standard error and returns the program's exit
// code, 2; otherwise 0.
int RefuseUnreadableDriveMap(Shell& shell);
