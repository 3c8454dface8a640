// What a person does with the program's window. Each returns the empty text
// on success, otherwise what went wrong.
#pragma once

#include "commands.h"

std::string WaitWindow(const Words& args);
// select LABEL...: opens the tree along the labels, from a drive's node down,
// and selects the last one.
std::string SelectFolder(const Words& args);
// click LABEL: a push or radio button; it must be enabled.
std::string ClickButton(const Words& args);
// type FIELD TEXT: selects the field's text, erases it and types the text
// key by key (an empty TEXT only erases).
std::string TypeInto(const Words& args);
// answer yes|no|cancel|ok: presses the button of the open message box.
std::string AnswerMessage(const Words& args);
// gone: waits until the window has disappeared.
std::string WaitGone(const Words& args);
// rect: prints the window's position and size on screen: x y width height.
std::string PrintRect(const Words& args);
