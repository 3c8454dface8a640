// The Linux program's entry: the main window, until it ends.
#include <QApplication>

#include <cstdlib>

#include "app/dispatch.h"
#include "drive_map_check.h"
#include "main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setDesktopFileName("mescola");
  UseItalianTexts();
  MainWindow window(MainDialogEvents());
  if (int refused = RefuseUnreadableDriveMap(window.Store().Window())) {
    return refused;
  }
  window.Start();
  // 0, or the code of the failure that ended the program.
  return window.exec();
}
