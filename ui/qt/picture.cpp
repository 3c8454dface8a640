// Starts the Linux program's window as the program does, saves a picture
// of it once it has painted, and ends: for machines without a display.
//
//   mescola_picture FILE.png
#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

#include "app/dispatch.h"
#include "main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: mescola_picture FILE.png\n");
    return 2;
  }
  UseItalianTexts();
  MainWindow window(MainDialogEvents());
  window.Start();
  bool saved = false;
  QTimer::singleShot(500, [&] {
    saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
    QApplication::quit();
  });
  QApplication::exec();
  return saved ? 0 : 1;
}
