// The Windows program's entry: runs the main dialog modally until it ends.
#include <windows.h>
#include <commctrl.h>

#include "main_window.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The program's own window class; the dialog itself uses the system's.
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefDlgProcW;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"dudiva_du3";
  RegisterClassW(&windowClass);

  INITCOMMONCONTROLSEX controls{sizeof controls, 0xFFFFFFFF};
  InitCommonControlsEx(&controls);

  // A Unicode dialog: its controls hold any name, whatever the code page.
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
  // A failure that ended the program left its exit code in WM_QUIT.
  MSG quit;
  if (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return static_cast<int>(quit.wParam);
  return 0;
}
