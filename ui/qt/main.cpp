// The Linux program's entry: the main window, until it ends.
#include <QApplication>

#include "app/dispatch.h"
#include "main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setDesktopFileName("mescola");
  UseItalianTexts();
  MainWindow window(MainDialogEvents());
  window.Start();
  window.exec();
  // Whatever ended the window, as the Windows program does.
  return 0;
}
