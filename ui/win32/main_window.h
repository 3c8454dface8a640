// The dialog procedure of the real main dialog: turns Windows messages into
// the program's typed events over one Win32Store kept for the dialog.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
