#include "commands.h"

#include <map>

#include "actions.h"
#include "checks.h"
#include "text.h"
#include "window.h"

namespace {

using Handler = std::string (*)(const Words& args);

struct Command {
  Handler handler;
  std::size_t min_args;
};

const std::map<std::wstring, Command>& Commands() {
  static const std::map<std::wstring, Command> commands = {
      {L"window", {WaitWindow, 0}},
      {L"select", {SelectFolder, 1}},
      {L"click", {ClickButton, 1}},
      {L"type", {TypeInto, 2}},
      {L"answer", {AnswerMessage, 1}},
      {L"gone", {WaitGone, 0}},
      {L"rect", {PrintRect, 0}},
      {L"expect-text", {ExpectText, 2}},
      {L"expect-list", {ExpectList, 1}},
      {L"expect-message-match", {ExpectMessageMatch, 2}},
  };
  return commands;
}

}  // namespace

std::string RunCommand(const Words& words) {
  auto found = Commands().find(words[0]);
  if (found == Commands().end()) return "unknown command " + Quote(words[0]);
  Words args(words.begin() + 1, words.end());
  if (args.size() < found->second.min_args) return "too few arguments";
  return found->second.handler(args);
}
