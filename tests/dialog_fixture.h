// A main dialog on the table store, the fake platform and a temporary
// folder that holds the drives: the steps a person takes, and what a test
// reads back from the dialog, the tree, the player and the copy log.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "store/table_store.h"
#include "store/text.h"
#include "fake_platform.h"

using Strings = std::vector<std::string>;

// A table store that records every text set and every repaint, in order,
// and whose tree refuses nodes once nodeRoom reaches 0.
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
  TreeNode InsertNode(TreeNode parent, const std::string& text, int image, int selected, bool sorted) override {
    return nodeRoom-- == 0 ? 0 : TableStore::InsertNode(parent, text, image, selected, sorted);
  }

  std::vector<Event> events;
  int nodeRoom = -1;
};

class DialogTest : public ::testing::Test {
 protected:
  static constexpr const char* kStamp = "05/02/2026 alle 09:01:07";  // every field padded

  DialogTest() : scope_(platform) {
    std::tm local{7, 1, 9, 5, 1, 126, 0, 0, -1};  // the local time of kStamp
    platform.now = std::mktime(&local);
  }

  // Sends the dialog's first message, once the test has set up its drives.
  void Start() { dlg.Initialise(); }
  // The drive's root is the folder temp\<letter>, made unless there is no medium.
  void Drive(char letter, DriveKind kind, bool medium = true) {
    if (medium) temp.MakeFolder(std::string(1, letter));
    platform.MapDrive(letter, kind, temp.path() + "\\" + letter);
  }
  // The usual computer: C: fixed, D: a CD-ROM drive without a disc, E: the
  // one removable drive, the player. The program runs in C:\lavoro; the
  // playlist files are in C:\liste.
  void StartComputer() {
    Drive('C', DRIVE_KIND_FIXED);
    Drive('D', DRIVE_KIND_CDROM, false);
    Drive('E', DRIVE_KIND_REMOVABLE);
    temp.MakeFolder("C\\lavoro");
    temp.MakeFolder("C\\liste");
    platform.workingDirectory = "C:\\lavoro";
    Start();
  }

  Strings Entries(int id) {
    Strings entries(static_cast<std::size_t>(dlg.CountEntries(id)));
    for (std::size_t i = 0; i < entries.size(); ++i) dlg.ReadEntry(id, static_cast<int>(i), entries[i]);
    return entries;
  }
  std::string Text(int id) { return dlg.ReadText(id, 4096); }
  Strings Texts(std::initializer_list<int> ids) {
    Strings texts;
    for (int id : ids) texts.push_back(Text(id));
    return texts;
  }
  // The one message shown since the last call.
  void ExpectMessage(const std::string& text, const char* caption, unsigned style) {
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, text);
    EXPECT_EQ(shell.messages[0].caption, caption);
    EXPECT_EQ(shell.messages[0].style, style);
    shell.messages.clear();
  }

  // The node reached through these texts from the top (0 when one is
  // missing), and a click on it.
  TreeNode NodeAt(const Strings& texts) {
    TreeNode node = 0;
    for (const std::string& text : texts) {
      std::vector<TreeNode> children = dlg.NodeChildren(node);
      auto found = std::find_if(children.begin(), children.end(),
                                [&](TreeNode child) { return dlg.NodeText(child, 4096) == text; });
      if (found == children.end()) return 0;
      node = *found;
    }
    return node;
  }
  // The children's texts; with images, each followed by " <image>/<selected image>".
  Strings Children(const Strings& texts, bool images = false) {
    Strings children;
    for (TreeNode node : dlg.NodeChildren(NodeAt(texts))) {
      EXPECT_EQ(dlg.NodeData(node), node);  // a selection finds its node through the item data
      children.push_back(dlg.NodeText(node, 4096) +
                         (images ? Format(" %d/%d", dlg.NodeImage(node), dlg.NodeSelectedImage(node)) : ""));
    }
    return children;
  }
  void SelectNode(const Strings& texts) {
    ASSERT_NE(NodeAt(texts), 0u) << "no such node";
    dlg.UserSelectNode(NodeAt(texts));
  }

  // The folder lists: a folder selected as the tree selects it (it becomes
  // the selected folder and the add buttons are enabled), then added.
  void Add(const std::string& path, int button) {
    dlg.ClearList(IDC_SELECTED_FOLDER);
    dlg.AddEntry(IDC_SELECTED_FOLDER, path);
    dlg.EnableButton(IDC_ADD_INCLUDED, true);
    dlg.EnableButton(IDC_ADD_EXCLUDED, true);
    dlg.UserClick(button);
  }
  void Include(const std::string& path) { Add(path, IDC_ADD_INCLUDED); }
  void Exclude(const std::string& path) { Add(path, IDC_ADD_EXCLUDED); }
  void Remove(int list, int index) {
    dlg.UserSelectEntry(list, index);
    dlg.UserClick(list == IDC_INCLUDED_LIST ? IDC_REMOVE_INCLUDED : IDC_REMOVE_EXCLUDED);
  }
  std::string File(const std::string& name) { return "C:\\liste\\" + name; }
  void SaveAs(const std::string& name) {
    shell.saveAnswers.push_back(File(name));
    dlg.UserClick(IDC_SAVE_AS);
  }
  void Open(const std::string& name) {
    shell.openAnswers.push_back(File(name));
    dlg.UserClick(IDC_OPEN_PLAYLIST);
  }

  // The copy run. Writes C:\lib\<file> of size bytes of one letter and
  // catalogues it as the next song; listed replaces its catalogued size.
  void AddSong(const std::string& file, std::size_t size, double listed = -1) {
    char fill = static_cast<char>('a' + dlg.CountEntries(IDC_SONG_NAMES));
    temp.WriteBytes("C\\lib\\" + file, std::string(size, fill));
    std::string path = "C:\\lib\\" + file;
    std::size_t slash = path.rfind('\\'), dot = path.rfind('.');
    Catalogue(path.substr(0, slash), path.substr(slash + 1, dot - slash - 1), path.substr(dot + 1),
              listed < 0 ? static_cast<double>(size) : listed);
  }
  void Catalogue(const std::string& folder, const std::string& name, const std::string& extension, double size) {
    dlg.AddEntry(IDC_SONG_FOLDERS, folder);
    dlg.AddEntry(IDC_SONG_NAMES, name);
    dlg.AddEntry(IDC_SONG_EXTS, extension);
    dlg.AddEntry(IDC_SONG_SIZES, Format("%.0f", size));
  }
  // The requested number and both order lists, as the user and the draw
  // would leave them.
  void SetOrder(int requested, const Strings& noRepeat, const Strings& withRepeat) {
    dlg.SetText(IDC_MAX_SONGS, std::to_string(requested));
    dlg.ClearList(IDC_ORDER_NO_REPEAT);
    dlg.ClearList(IDC_ORDER_WITH_REPEAT);
    for (const std::string& k : noRepeat) dlg.InsertEntry(IDC_ORDER_NO_REPEAT, -1, k);
    for (const std::string& k : withRepeat) dlg.InsertEntry(IDC_ORDER_WITH_REPEAT, -1, k);
  }
  // The copy log's lines without their CR LF; a line end without CR fails.
  Strings LogLines() {
    std::string bytes = temp.ReadBytes("C\\lavoro\\Playlist.txt");
    Strings lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
      EXPECT_TRUE(end > start && bytes[end - 1] == '\r') << "bare LF at byte " << end;
      lines.push_back(bytes.substr(start, end > start ? end - start - 1 : 0));
    }
    EXPECT_EQ(start, bytes.size()) << "the log does not end with a line end";
    return lines;
  }
  // The log's non-empty lines between two time-stamped records; by default
  // one line per song copied or skipped.
  Strings CopyLines(const std::string& first = "Inizio a copiare i brani il ",
                    const std::string& last = "Finito di copiare i brani il ") {
    Strings lines = LogLines();
    auto from = std::find(lines.begin(), lines.end(), first + kStamp);
    auto to = std::find(lines.begin(), lines.end(), last + kStamp);
    if (to == lines.end() || to < from) return {"no records " + first};
    Strings between;
    std::copy_if(from + 1, to, std::back_inserter(between), [](const std::string& line) { return !line.empty(); });
    return between;
  }
  // Names in a folder of the temporary folder, sorted; folders end with "\".
  Strings Files(const std::string& folder = "E") {
    Strings names;
    for (const auto& entry : std::filesystem::directory_iterator(temp.Native(folder))) {
      names.push_back(entry.path().filename().u8string() + (entry.is_directory() ? "\\" : ""));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  bool SameBytes(const std::string& a, const std::string& b) { return temp.ReadBytes(a) == temp.ReadBytes(b); }

  FakePlatform platform;
  FakeShell shell;

 private:
  PlatformScope scope_;

 protected:
  WatchedStore dlg{shell, &MainDialogEvents()};
  TempFolder temp;
};
