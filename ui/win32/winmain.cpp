// The Windows program's entry: runs the main dialog modally until it ends.
#include <windows.h>
#include <commctrl.h>

#include "main_window.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The program's own window class; the dialog itself uses the system's.
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefDlgProcA;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "dudiva_du3";
  RegisterClassA(&windowClass);

  INITCOMMONCONTROLSEX controls{sizeof controls, 0xFFFFFFFF};
  InitCommonControlsEx(&controls);

  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
  return 0;
}
