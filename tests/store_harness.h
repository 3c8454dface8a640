// One store realisation under test, with a person at it and a record of
// every command its dialog procedure received.
#pragma once

#include <functional>
#include <memory>
#include <ostream>

#include "store/controls.h"
#include "store/events.h"
#include "store/shell.h"

class StoreHarness {
 public:
  virtual ~StoreHarness() { current = nullptr; }
  virtual StateStore& store() = 0;
  virtual void Type(int id, const std::string& keys) = 0;
  virtual void Click(int id) = 0;
  virtual void SelectEntry(int id, int index) = 0;

  // (control id, notification code) of every command, in order of arrival.
  std::vector<std::pair<int, int>> commands;
  // Runs inside the dialog procedure for each command, after it is recorded.
  std::function<void(int id, int code)> onCommand;
  // The command entry point of the realisations' events.
  static int Command(StateStore&, int id, int code) {
    if (current) current->commands.emplace_back(id, code);
    if (current && current->onCommand) current->onCommand(id, code);
    return 0;
  }
  static constexpr DialogEvents kEvents{nullptr, &Command, nullptr, nullptr, nullptr};

 protected:
  StoreHarness() { current = this; }
  static inline StoreHarness* current = nullptr;
};

// A real window: the keyboard moves its focus, and Escape and the close box
// reach it while a run keeps it alive. Keys: 'T' Tab, 'B' Shift+Tab, 'D'
// Down, 'H' Home, '+' the keypad's +, ' ' Space, 'E' Escape, 'X' the close box.
class WindowHarness : public StoreHarness {
 public:
  virtual void Key(char key) = 0;
  virtual void KeyLater(char key) = 0;  // delivered once the next run lets the window breathe
  virtual int Focused() = 0;
  virtual std::string FocusedName() = 0;  // what a screen reader says of it, from its label
  virtual bool Alive() = 0;
  // Tab until the control has the focus; false when Tab never reaches it.
  bool TabTo(int id) {
    for (int i = 0; i < 40 && Focused() != id; ++i) Key('T');
    return Focused() == id;
  }
};

struct Realisation {
  const char* name;
  // The store with the given events; answers (when given) replaces a window's message boxes.
  std::unique_ptr<StoreHarness> (*make)(const DialogEvents& events, Shell* answers);
  bool window;  // a WindowHarness
};

inline void PrintTo(const Realisation& realisation, std::ostream* out) { *out << realisation.name; }

// The realisations of this build: the table always, the Qt window in the
// Linux build, the real dialog on Windows.
std::vector<Realisation>& Realisations();
