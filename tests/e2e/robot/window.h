// The program's windows as a person meets them. Every message goes through
// SendMessageTimeout and every wait has a deadline, so a program that hangs
// fails the step instead of stopping the robot.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

// Sends a message, waiting at most timeout_ms for the program to handle it;
// ok (when given) tells whether it was handled in time.
LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool* ok = nullptr,
             DWORD timeout_ms = 10000);
// Polls the condition every 50 ms until it holds; false after 10 s.
bool WaitFor(const std::function<bool()>& condition);

std::wstring TextOf(HWND window);
// The main window if it is on screen, now or (wait) within the wait; null if not.
HWND MainWindow(bool wait);
// A visible control of the main window by its role (player, songs, included,
// excluded, selected, status, catalogue, tree), waiting for the window; null if none.
HWND Control(const std::wstring& role);
// A visible button of the window by its label, read without the access key's '&'.
HWND Button(HWND window, const std::wstring& label);
// The visible message box over the main window, and its text; null if none.
HWND MessageBoxOver(HWND main);
std::wstring MessageText(HWND box);
// What a control shows: a list box its entries, any other control its text.
std::vector<std::wstring> Shown(HWND control);
// The child of a tree node (of the top level for null) with the label; null if none.
HTREEITEM Node(HWND tree, HTREEITEM parent, const std::wstring& label);
