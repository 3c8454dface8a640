// A dialog ready for the copy run: songs written under lib and catalogued,
// the player E: mapped onto the folder player (with the room of the disk
// under it, unless a test sets the free space), the working directory on
// the folder work, and the clock at a known moment.
#pragma once

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/table_store.h"
#include "app/text.h"
#include "copy/copy.h"
#include "fake_platform.h"

// A store that records what the user would see change: every text set and
// every repaint, in order.
class WatchedStore : public TableStore {
 public:
  using TableStore::TableStore;
  struct Event {
    bool repaint;
    int id;
    std::string text;
  };
  void SetText(int id, const std::string& text) override {
    events.push_back({false, id, text});
    TableStore::SetText(id, text);
  }
  void Repaint(int id) override { events.push_back({true, id, ""}); }

  std::vector<Event> events;
};

class CopyTest : public ::testing::Test {
 protected:
  static constexpr const char* kStamp = "05/02/2026 alle 09:01:07";  // every field padded

  void SetUp() override {
    std::tm local{};
    local.tm_mday = 5;
    local.tm_mon = 1;
    local.tm_year = 126;
    local.tm_hour = 9;
    local.tm_min = 1;
    local.tm_sec = 7;
    local.tm_isdst = -1;
    platform.now = std::mktime(&local);
    dlg.Initialise();
    for (const char* folder : {"work", "player", "lib"}) temp.MakeFolder(folder);
    platform.workingDirectory = temp.path() + "\\work";
    UsePlayerFolder(temp.path() + "\\player");
    // The player and its cluster margin, as measuring the player leaves them.
    dlg.SetText(IDC_PLAYER_PATH, "E:");
    dlg.SetText(IDC_CLUSTER_BYTES, "4096");
  }

  void UsePlayerFolder(const std::string& folder) {
    platform.MapDrive('E', DRIVE_KIND_REMOVABLE, folder);
  }

  // Writes lib\<file> with size bytes of one letter and catalogues it as the
  // next song; listed replaces the size the catalogue gives it.
  void AddSong(const std::string& file, std::size_t size, double listed = -1) {
    char fill = static_cast<char>('a' + dlg.CountEntries(IDC_SONG_NAMES) % 26);
    temp.WriteBytes("lib\\" + file, std::string(size, fill));
    std::string path = temp.path() + "\\lib\\" + file;
    std::size_t slash = path.rfind('\\');
    std::size_t dot = path.rfind('.');
    Catalogue(path.substr(0, slash), path.substr(slash + 1, dot - slash - 1),
              path.substr(dot + 1), listed < 0 ? static_cast<double>(size) : listed);
  }
  void Catalogue(const std::string& folder, const std::string& name, const std::string& extension,
                 double size) {
    dlg.AddEntry(IDC_SONG_FOLDERS, folder);
    dlg.AddEntry(IDC_SONG_NAMES, name);
    dlg.AddEntry(IDC_SONG_EXTS, extension);
    dlg.AddEntry(IDC_SONG_SIZES, Format("%.0f", size));
  }

  // The requested number and both order lists, as the user and the random
  // draw would leave them.
  void SetOrder(int requested, const std::vector<std::string>& noRepeat,
                const std::vector<std::string>& withRepeat) {
    dlg.SetText(IDC_MAX_SONGS, std::to_string(requested));
    dlg.ClearList(IDC_ORDER_NO_REPEAT);
    dlg.ClearList(IDC_ORDER_WITH_REPEAT);
    for (const std::string& k : noRepeat) dlg.InsertEntry(IDC_ORDER_NO_REPEAT, -1, k);
    for (const std::string& k : withRepeat) dlg.InsertEntry(IDC_ORDER_WITH_REPEAT, -1, k);
  }

  void KeepExisting() { dlg.UserClick(IDC_KEEP_EXISTING); }

  // The copy log's lines, without their CR LF; a line end without CR fails.
  std::vector<std::string> LogLines() {
    std::string bytes = temp.ReadBytes("work\\Playlist.txt");
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
      EXPECT_TRUE(end > start && bytes[end - 1] == '\r') << "bare LF at byte " << end;
      lines.push_back(bytes.substr(start, end > start ? end - start - 1 : 0));
    }
    EXPECT_EQ(start, bytes.size()) << "the log does not end with a line end";
    return lines;
  }

  // The log's lines between "Inizio a copiare" and the empty line before
  // "Finito di copiare": one per song copied or skipped.
  std::vector<std::string> CopyLines() {
    std::vector<std::string> lines = LogLines();
    auto first = std::find(lines.begin(), lines.end(), std::string("Inizio a copiare i brani il ") + kStamp);
    auto last = std::find(lines.begin(), lines.end(), std::string("Finito di copiare i brani il ") + kStamp);
    if (first == lines.end() || last == lines.end() || last - first < 3) {
      ADD_FAILURE() << "no copy records";
      return {};
    }
    return std::vector<std::string>(first + 2, last - 1);
  }

  // File names in the player's root folder, sorted; folders end with "\".
  std::vector<std::string> PlayerFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp.Native("player"))) {
      names.push_back(entry.path().filename().string() + (entry.is_directory() ? "\\" : ""));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string Text(int id) { return dlg.ReadText(id, 4096); }

  FakePlatform platform;

 private:
  PlatformScope scope_{platform};

 protected:
  WatchedStore dlg{MainDialogProc};
  TempFolder temp;
};
