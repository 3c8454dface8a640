// What a person looks at. Each check waits until what it expects is on screen
// and returns the empty text, or after the timeout what is there instead.
#pragma once

#include "commands.h"

// expect-tree [LABEL...] = [CHILD...]: the node reached along the labels (the
// top level when there are none), opened, shows exactly these children.
std::string ExpectTree(const Words& args);
// expect-text FIELD TEXT: the field (or status line) shows exactly the text.
std::string ExpectText(const Words& args);
// expect-match FIELD PATTERN: the whole text matches the regular expression.
std::string ExpectMatch(const Words& args);
// expect-list LIST [ENTRY...]: the list shows exactly these entries, in order.
std::string ExpectList(const Words& args);
std::string ExpectEnabled(const Words& args);
std::string ExpectDisabled(const Words& args);
std::string ExpectChecked(const Words& args);
std::string ExpectUnchecked(const Words& args);
// expect-message CAPTION TEXT: a message box with this caption and text is open.
std::string ExpectMessage(const Words& args);
// expect-message-match CAPTION PATTERN: the same, the whole text matching the
// regular expression.
std::string ExpectMessageMatch(const Words& args);
// expect-no-dialog: no window is open over the program's own, and the
// program has finished handling what the last one asked.
std::string ExpectNoDialog(const Words& args);
// show: prints what the window shows.
std::string PrintScreen(const Words& args);
