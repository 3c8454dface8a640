#include "../system.h"

// A POSIX build without Qt has no window of its own.
std::unique_ptr<StateStore> OpenMainDialog() { return nullptr; }

std::unique_ptr<StateStore> OpenMainDialogNotKeptAlive() { return nullptr; }

const char* WindowName() { return "window"; }

const char* WindowTarget() { return ""; }

const char* WindowRedrawTarget() { return ""; }

std::string WindowMemoryTarget(double) { return ""; }
