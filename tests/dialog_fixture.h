// The main dialog on the table store and the fake platform, started: C:
// fixed, D: a CD-ROM drive without a disc, E: the one removable drive (the
// player); the program works in C:\lavoro, the playlist files lie in
// C:\liste, the songs in C:\lib. What a test does to it and reads back.
#pragma once

#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "fake_platform.h"
#include "store/table_store.h"
#include "store/text.h"

using Strings = std::vector<std::string>;

class DialogTest : public ::testing::Test {
 protected:
  static constexpr const char* kStamp = "05/02/2026 alle 09:01:07";  // every field padded
  static constexpr const char* kWarning = "A T T E N Z I O N E !|";
  static constexpr const char* kInUse = "\"\nforse è utilizzato da un altro programma|0";

  DialogTest() : scope_(platform) {
    std::tm local{7, 1, 9, 5, 1, 126, 0, 0, -1};  // the local time of kStamp
    platform.now = std::mktime(&local);
    for (const char* folder : {"C\\lavoro", "C\\liste", "C\\lib", "E"}) fs::create_directories(temp.Native(folder));
    platform.MapDrive('C', DRIVE_KIND_FIXED, temp.path + "\\C");
    platform.MapDrive('D', DRIVE_KIND_CDROM);
    platform.MapDrive('E', DRIVE_KIND_REMOVABLE, temp.path + "\\E");
    platform.workingDirectory = "C:\\lavoro";
    dlg.Initialise();
  }
  ~DialogTest() override { EXPECT_GE(platform.listingsLeft, 0) << "the walk went on past any test's folders"; }

  Strings Entries(int id) {
    Strings entries(static_cast<std::size_t>(dlg.CountEntries(id)));
    for (std::size_t i = 0; i < entries.size(); ++i) dlg.ReadEntry(id, static_cast<int>(i), entries[i]);
    return entries;
  }
  std::string Text(int id) { return dlg.ReadText(id, 4096); }
  // The messages shown since the last call, joined by "+".
  std::string Messages() {
    std::string all;
    for (const std::string& message : shell.messages) all += (all.empty() ? "" : "+") + message;
    shell.messages.clear();
    return all;
  }
  // A folder added as after a click on it in the tree.
  void Add(const std::string& path, int button = IDC_ADD_INCLUDED) {
    dlg.ClearList(IDC_SELECTED_FOLDER);
    dlg.AddEntry(IDC_SELECTED_FOLDER, path);
    dlg.EnableButton(button, true);
    dlg.UserClick(button);
  }
  std::string List(const std::string& name) { return "C:\\liste\\" + name; }
  void Click(int id, const std::string& file) {
    shell.files = {file};
    dlg.UserClick(id);
  }
  // Catalogues C:\lib\<name>.mp3 as size bytes; the file holds bytes unless null.
  void AddSong(const std::string& name, double size, const char* bytes = "") {
    if (bytes) temp.Write("C\\lib\\" + name + ".mp3", bytes);
    for (auto [id, text] : {std::pair{IDC_SONG_FOLDERS, std::string("C:\\lib")}, {IDC_SONG_NAMES, name},
                            {IDC_SONG_EXTS, std::string("mp3")}, {IDC_SONG_SIZES, Format("%.0f", size)}})
      dlg.AddEntry(id, text);
  }
  // The requested number and both order lists, as the user and the draw leave them.
  void SetOrder(int requested, const Strings& noRepeat, const Strings& withRepeat) {
    dlg.SetText(IDC_MAX_SONGS, std::to_string(requested));
    for (auto [id, order] : {std::pair{IDC_ORDER_NO_REPEAT, &noRepeat}, {IDC_ORDER_WITH_REPEAT, &withRepeat}}) {
      dlg.ClearList(id);
      for (const std::string& k : *order) dlg.InsertEntry(id, -1, k);
    }
  }
  // The copy log's lines of songs copied or skipped, each ended by CR LF.
  Strings CopyLines() {
    std::string log = temp.Read("C\\lavoro\\Playlist.txt");
    Strings lines;
    for (std::size_t at = 0; (at = log.find("\r\n   ", at)) != std::string::npos; at += 2)
      lines.push_back(log.substr(at + 2, log.find("\r\n", at + 2) - at - 2));
    return lines;
  }
  // Names in a folder, sorted; folders end with "\".
  Strings Files(const std::string& folder = "E") {
    Strings names;
    for (const auto& entry : fs::directory_iterator(temp.Native(folder)))
      names.push_back(entry.path().filename().u8string() + (entry.is_directory() ? "\\" : ""));
    std::sort(names.begin(), names.end());
    return names;
  }

  FakePlatform platform;
  FakeShell shell;

 private:
  PlatformScope scope_;

 protected:
  TempFolder temp;
  TableStore dlg{shell, &MainDialogEvents()};
};
