// The one Qt application of the test process, on the offscreen platform
// unless the environment names another.
#pragma once

#include <QApplication>

inline QApplication& QtApplication() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "mescola_tests";
  static char* argv[] = {name, nullptr};
  // Kept to the end of the process: Qt's own objects go before it.
  static QApplication* application = new QApplication(argc, argv);
  return *application;
}
