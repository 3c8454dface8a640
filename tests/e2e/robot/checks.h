// What a person looks at. Each check waits until what it expects is on screen
// and returns the empty text, or after the timeout what is there instead.
#pragma once

#include "commands.h"

// expect-text FIELD TEXT: the field (or status line) shows exactly the text.
std::string ExpectText(const Words& args);
// expect-list LIST [ENTRY...]: the list shows exactly these entries, in order.
std::string ExpectList(const Words& args);
// expect-message-match CAPTION PATTERN: a message box with this caption is
// open, its whole text matching the regular expression.
std::string ExpectMessageMatch(const Words& args);
