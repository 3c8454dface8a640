// The windows the program opens over its own: message boxes and the file
// dialogs to open and save a playlist.
#pragma once

#include <windows.h>

#include <string>

// The visible dialog window owned by the program's window; null if none.
HWND OwnedDialog(HWND main);
// The file-name field of a file dialog; null when the dialog has none
// (a message box).
HWND FileNameField(HWND dialog);
// The text a message box shows (its static text that is not the icon).
std::wstring MessageText(HWND box);
