// What kind of container each control of the main dialog is.
#pragma once

#include <cstddef>

enum class ControlKind { List, SortedList, Edit, Static, PushButton, RadioButton, Tree, Progress };

// What sets a control apart from the others of its kind.
enum ControlTrait : unsigned {
  TRAIT_SILENT = 1,       // a list box that tells the program nothing of its selection
  TRAIT_DIGITS_ONLY = 2,  // an edit field that takes only digits as typed
};

struct ControlInfo {
  int id;
  const char* name;
  ControlKind kind;
  bool visible;  // a control of the window rather than one of the program's variables
  int partner;  // the other radio button of the group, 0 for the rest
  unsigned traits;  // ControlTrait bits

  bool Has(ControlTrait trait) const { return (traits & trait) != 0; }
  bool IsList() const { return kind == ControlKind::List || kind == ControlKind::SortedList; }
};

// Every addressed control of the template, in template order.
extern const ControlInfo kControls[];
extern const std::size_t kControlCount;

// The control with this id, or null.
const ControlInfo* FindControl(int id);
// Where the control with this id lies in kControls, or -1; a lookup costs no
// search, as the scan reaches a list for every song.
int ControlIndex(int id);
