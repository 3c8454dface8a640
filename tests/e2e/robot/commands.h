// The robot's commands: each one is what a person does or looks at.
#pragma once

#include <string>
#include <vector>

using Words = std::vector<std::wstring>;

// Runs one command (its name first). Returns the empty text when it
// succeeded, otherwise what went wrong.
std::string RunCommand(const Words& words);
// Everything a person sees in the program's window, for a failure report.
std::string DescribeScreen();
