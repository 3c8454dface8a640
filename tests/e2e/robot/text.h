// Texts: scripts and output are UTF-8, the windows are read as UTF-16 (the
// program's Windows-1252 texts arrive converted by the system).
#pragma once

#include <string>
#include <vector>

std::wstring FromUtf8(const std::string& text);
std::string ToUtf8(const std::wstring& text);
// A printable form of a text for messages: quoted, line breaks shown as \n.
std::string Quote(const std::wstring& text);
// The label of a button as a person reads it: without the '&' of its access key.
std::wstring WithoutAccessKey(const std::wstring& label);

// Splits a script line into words. 'single quotes' keep every character as
// written (paths with backslashes); "double quotes" understand \n, \" and \\.
// A line whose first word starts with # is a comment. Returns false on an
// unterminated quote.
bool SplitWords(const std::string& line, std::vector<std::wstring>& words);
