#include "store/file_text.h"
#include "store/text.h"
#include "copy.h"

namespace {

class Windows1252Log : public OutputFile {
 public:
  explicit Windows1252Log(std::unique_ptr<OutputFile> file) : file_(std::move(file)) {}
  bool Write(const std::string& bytes) override { return file_->Write(ToWindows1252(bytes)); }
  bool Close() override { return file_->Close(); }

 private:
  std::unique_ptr<OutputFile> file_;
};

bool NamesFitWindows1252(StateStore& dlg) {
  std::string name;
  int songs = dlg.CountEntries(IDC_SONG_NAMES);
  for (int k = 0; k < songs; ++k) {
    dlg.ReadEntry(IDC_SONG_NAMES, k, name);
    if (!FitsWindows1252(name)) return false;
  }
  std::unique_ptr<FolderListing> root = System().ListFolder(dlg.ReadText(IDC_PLAYER_PATH, 8));
  FolderEntry entry;
  while (root && root->Next(entry)) {
    if (!FitsWindows1252(entry.name)) return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<OutputFile> InLogEncoding(StateStore& dlg, std::unique_ptr<OutputFile> log) {
  if (NamesFitWindows1252(dlg)) return std::make_unique<Windows1252Log>(std::move(log));
  log->Write(kUtf8Mark);
  return log;
}

std::string FormatTimestamp() {
  std::tm local = System().LocalTime(System().Now());
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
