// The dialog procedure of the real main dialog: hands the events to the
// program's MainDialogProc over one Win32Store kept for the dialog.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainWindowProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
