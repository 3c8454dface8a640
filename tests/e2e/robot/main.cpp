// The UI robot: drives the running program through its window as a person
// would, following a script read from standard input, one command a line
// (see commands.cpp). It stops at the first command that fails, prints what
// failed and what the window showed, and exits with 1; 0 when all passed.

#include <windows.h>

#include <cstdio>
#include <string>

#include "commands.h"
#include "text.h"

namespace {

std::string ReadInput() {
  std::string input;
  char chunk[4096];
  DWORD read = 0;
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  while (ReadFile(in, chunk, sizeof chunk, &read, nullptr) && read > 0) input.append(chunk, read);
  return input;
}

bool RunLine(const std::string& line, int number) {
  Words words;
  std::string failure;
  if (!SplitWords(line, words)) failure = "unterminated quote";
  else if (words.empty()) return true;
  else failure = RunCommand(words);
  if (failure.empty()) return true;
  fprintf(stdout, "robot: line %d: %s\nrobot: %s\nrobot: the window shows:\n%s", number, line.c_str(),
          failure.c_str(), DescribeScreen().c_str());
  fflush(stdout);
  return false;
}

}  // namespace

int main() {
  std::string input = ReadInput();
  std::size_t start = 0;
  for (int number = 1; start < input.size(); ++number) {
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    if (!RunLine(input.substr(start, end - start), number)) return 1;
    start = end + 1;
  }
  return 0;
}
