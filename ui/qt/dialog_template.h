// The main dialog's template as the build reads it from the resource
// script: the window's caption, font and size, and every control with its
// text, class, style names and rectangle, in dialog units and tab order.
#pragma once

#include <cstddef>

struct TemplateControl {
  const char* text;
  int id;  // IDC_..., IDC_LABEL for a label the program never addresses
  const char* windowClass;  // "LISTBOX", "STATIC", "BUTTON", "EDIT", the tree's
  const char* style;        // the style as the template writes it
  int x, y, width, height;
};

struct DialogTemplate {
  const char* caption;
  const char* fontName;
  int fontPoints;
  int width, height;
  int codePage;  // of the texts: 1252 or 65001 (UTF-8)
  const TemplateControl* controls;
  std::size_t count;
};

extern const DialogTemplate kMainDialog;
