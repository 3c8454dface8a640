// What kind of container each control of the main dialog is.
#pragma once

#include <cstddef>

enum class ControlKind { List, SortedList, Edit, Static, PushButton, RadioButton, Tree, Progress };

struct ControlInfo {
  int id;
  const char* name;
  ControlKind kind;
  bool visible;  // a control of the window rather than one of the program's variables
  int partner;  // the other radio button of the group, 0 for the rest
};

// Every addressed control of the template, in template order.
extern const ControlInfo kControls[];
extern const std::size_t kControlCount;

// The control with this id, or null.
const ControlInfo* FindControl(int id);
