// The main dialog's template as the build reads it from the resource
// script: the window's caption and size, and every control with its
// text, class and style names, in tab order.
#pragma once

#include <cstddef>

struct TemplateControl {
  const char* text;
  int id;  // IDC_..., IDC_LABEL for a label the program never addresses
  const char* windowClass;  // "LISTBOX", "STATIC", "BUTTON", "EDIT", the tree's
  const char* style;        // the style as the template writes it
};

struct DialogTemplate {
  const char* caption;
  int width, height;  // dialog units
  int codePage;  // of the texts: 1252 or 65001 (UTF-8)
  const TemplateControl* controls;
  std::size_t count;
};

extern const DialogTemplate kMainDialog;
