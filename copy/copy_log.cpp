#include "store/text.h"
#include "copy.h"

std::string FormatTimestamp() {
  std::tm local = Os().LocalTime(Os().Now());
  return Format("%02d/%02d/%d alle %02d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
}

void WriteLogText(OutputFile& log, const std::string& text) {
  std::string bytes;
  bytes.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  log.Write(bytes);
}

void ShowProgress(StateStore& dlg, int id, const std::string& text) {
  dlg.SetText(id, text);
  dlg.Repaint(id);
}
