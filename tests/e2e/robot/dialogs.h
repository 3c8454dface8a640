// The windows the program opens over its own: its message boxes.
#pragma once

#include <windows.h>

#include <string>

// The visible dialog window owned by the program's window; null if none.
HWND OwnedDialog(HWND main);
// The text a message box shows (its static text that is not the icon).
std::wstring MessageText(HWND box);
