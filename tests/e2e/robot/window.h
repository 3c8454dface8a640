// Access to the program's windows as a person meets them: every message goes
// through SendMessageTimeout, every wait polls with a deadline.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// How long any wait lasts before the command fails, in milliseconds.
extern DWORD g_timeout_ms;

// Sends a message and waits at most the given time for the program to handle
// it; ok tells whether it was handled in time.
LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool* ok = nullptr,
             DWORD timeout_ms = g_timeout_ms);
// Polls the condition every 50 ms until it holds or the timeout passes.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms = g_timeout_ms);

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
std::vector<HWND> Children(HWND parent);

// The program's main window, or null when it is not (yet, or any more) on screen.
HWND MainWindow();
// Waits for the main window; null after the timeout.
HWND WaitForMainWindow();

// A visible control of the main window by its role name (player, songs,
// included, excluded, selected, status, compilation, catalogue, tree); null
// for an unknown name or a control that is not visible.
HWND ControlByName(HWND main, const std::wstring& name);
// A visible button (push, radio) of the window by its label as shown.
HWND ButtonByLabel(HWND window, const std::wstring& label);

std::vector<std::wstring> ListEntries(HWND list);
