#include <filesystem>

#include "dialog_fixture.h"
#include "player/player.h"

namespace {

const char kRootC[] = "C:\\ DISCO FISSO";
const char kRootD[] = "D:\\ LETTORE CD/ROM";
const char kRootE[] = "E:\\ DISCO RIMUOVIBILE";
constexpr double kFree500MB = 524288000;

class TreeTest : public DialogTest {};

// The one removable drive from C: to Z: is the player; A: and B: are floppy
// drives.
TEST_F(TreeTest, RootsOfTheThreeKindsInLetterOrderAndThePlayer) {
  // Set up out of letter order: the tree must not follow the order asked.
  // Floppies, network drives, RAM disks and unknown drives never show.
  const std::pair<char, DriveKind> drives[] = {
      {'Z', DRIVE_KIND_REMOVABLE}, {'E', DRIVE_KIND_FIXED},     {'D', DRIVE_KIND_CDROM},
      {'C', DRIVE_KIND_FIXED},     {'A', DRIVE_KIND_REMOVABLE}, {'B', DRIVE_KIND_REMOVABLE},
      {'F', DRIVE_KIND_REMOTE},    {'G', DRIVE_KIND_RAMDISK},   {'H', DRIVE_KIND_UNKNOWN}};
  for (auto [letter, kind] : drives) platform.MapDrive(letter, kind);
  platform.SetFreeSpace('Z', kFree500MB, 4096);
  Start();
  EXPECT_EQ(Children({}, true), Strings({"C:\\ DISCO FISSO 3/3", "D:\\ LETTORE CD/ROM 5/5", "E:\\ DISCO FISSO 3/3",
                                         "Z:\\ DISCO RIMUOVIBILE 4/4"}));
  for (TreeNode root : dlg.NodeChildren(0)) EXPECT_EQ(dlg.NodeChildCount(root), 0);
  EXPECT_EQ(Texts({IDC_PLAYER_PATH, IDC_FREE_BYTES, IDC_STATUS_LINE}),
            Strings({"Z:", "524288000", "Nel lettore: 500 MBytes liberi"}));
}

TEST_F(TreeTest, SelectionsGiveTheFullPathAndFillEachNodeOnce) {
  for (const char* folder : {"Musica\\Rock\\Anni 70", "Zucchero", "Vol.1", "x.mp3", ".nascosta\\Dentro"}) {
    temp.MakeFolder(std::string("C\\") + folder);
  }
  for (const char* file : {"canzone.mp3", "Archivio", ".profilo"}) temp.MakeFile(std::string("C\\") + file);
  StartComputer();
  const std::pair<Strings, const char*> steps[] = {
      {{kRootC}, "C:"},
      {{kRootC, "Musica"}, "C:\\Musica"},
      {{kRootC, "Musica", "Rock"}, "C:\\Musica\\Rock"},
      {{kRootC, "Musica", "Rock", "Anni 70"}, "C:\\Musica\\Rock\\Anni 70"},
      {{kRootC, "Musica"}, "C:\\Musica"},
      {{kRootD}, "D:"},
  };
  for (auto& [node, path] : steps) {
    SCOPED_TRACE(path);
    SelectNode(node);
    // One entry, replacing the previous selection.
    EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings({path}));
    EXPECT_TRUE(dlg.IsButtonEnabled(IDC_ADD_INCLUDED) && dlg.IsButtonEnabled(IDC_ADD_EXCLUDED));
  }
  // Files never, hidden folders never, dotted names as any other folder;
  // siblings sorted ignoring case.
  const Strings folders = {"lavoro 0/1", "liste 0/1", "Musica 0/1", "Vol.1 0/1", "x.mp3 0/1", "Zucchero 0/1"};
  EXPECT_EQ(Children({kRootC}, true), folders);
  // A filled node is never listed again; the CD-ROM drive without a disc
  // shows nothing, says nothing, and is listed again once it has one.
  temp.MakeFolder("C\\Nuova");
  temp.MakeFolder("D\\Film");
  EXPECT_EQ(Children({kRootD}), Strings());
  SelectNode({kRootC});
  SelectNode({kRootD});
  EXPECT_EQ(Children({kRootC}, true), folders);
  EXPECT_EQ(Children({kRootC, "Musica"}), Strings({"Rock"}));
  EXPECT_EQ(Children({kRootD}), Strings({"Film"}));
  EXPECT_TRUE(shell.messages.empty());
}

// A path holds at most 259 characters: a folder whose path would be longer
// is left out, and a folder whose search pattern (path\*.*) would not fit
// is not listed.
TEST_F(TreeTest, PathsLongerThanTheBufferAreLeftOut) {
#ifdef _WIN32
  GTEST_SKIP() << "The temporary folder's own path makes these paths too long for the ANSI file functions";
#endif
  std::string deep(200, 'p');  // C:\ppp... is 203 characters
  std::string fits(50, 'f');   // 254: listed
  std::string edge(55, 'e');   // 259: shown, but its pattern is too long
  std::string over(56, 'o');   // 260: left out
  for (const std::string& name : {fits, edge, over}) temp.MakeFolder("C\\" + deep + "\\" + name + "\\x");
  StartComputer();
  for (const Strings& node : {Strings{kRootC}, {kRootC, deep}, {kRootC, deep, fits}, {kRootC, deep, edge}}) {
    SelectNode(node);
  }
  EXPECT_EQ(Children({kRootC, deep}), Strings({edge, fits}));
  EXPECT_EQ(Children({kRootC, deep, fits}), Strings({"x"}));
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings({"C:\\" + deep + "\\" + edge}));
  EXPECT_EQ(Children({kRootC, deep, edge}), Strings());
  EXPECT_TRUE(shell.messages.empty());
}

// The message tells the folder and how many subfolders were added; those
// stay.
TEST_F(TreeTest, ARefusedNodeStopsTheListingWithTheCountAdded) {
  for (const char* folder : {"Uno", "Due", "Tre"}) temp.MakeFolder(std::string("C\\") + folder);
  StartComputer();
  dlg.nodeRoom = 2;
  SelectNode({kRootC});
  ExpectMessage("C:\n2 elementi", "ERRORE", MESSAGE_OK);
  EXPECT_EQ(Children({kRootC}).size(), 2u);
}

TEST_F(TreeTest, MeasuringThePlayerFillsTheStaticsAndTheStatusLine) {
  struct Case {
    double freeBytes;  // negative: no medium, the volume cannot tell
    std::vector<std::pair<const char*, std::uintmax_t>> files;  // in the player's root; "x\\y" makes x
    Strings texts;  // free, cluster, recoverable, status line
  };
  const Case cases[] = {
      {kFree500MB, {{"a.mp3", 1048575}}, {"524288000", "4096", "1048575", "Nel lettore: 500 MBytes liberi"}},
      {kFree500MB, {{"a.mp3", 1048576}},
       {"524288000", "4096", "1048576",
        "Nel lettore: 500 MBytes liberi, 1 MBytes recuperabili, 501 MBytes disponibili"}},
      {kFree500MB, {{"Album\\a.mp3", 8388608}}, {"524288000", "4096", "0", "Nel lettore: 500 MBytes liberi"}},
      // Only files directly in the root whose text after the last dot is a
      // song extension, in any case; hidden files count too.
      {kFree500MB,
       {{"SONG.MP3", 2097152}, {"song.mp3.txt", 4194304}, {"mp3", 4194304}, {"x.mp3\\dentro.txt", 4194304},
        {"a.b.ApE", 1048576}, {".nascosta.wma", 1048576}},
       {"524288000", "4096", "4194304",
        "Nel lettore: 500 MBytes liberi, 4 MBytes recuperabili, 504 MBytes disponibili"}},
      // The low 32 bits of each size, summed in 32 bits: 3 MB + (4 GB - 1 MB)
      // + 2 MB wraps round to 4 MB.
      {kFree500MB, {{"enorme.wav", 4294967296u + 3145728u}, {"grande.mp3", 4293918720u}, {"a.mp3", 2097152}},
       {"524288000", "4096", "4194304",
        "Nel lettore: 500 MBytes liberi, 4 MBytes recuperabili, 504 MBytes disponibili"}},
      {kFree500MB + 786432, {{"a.mp3", 1310720}},
       {"525074432", "4096", "1310720",
        "Nel lettore: 501 MBytes liberi, 1 MBytes recuperabili, 502 MBytes disponibili"}},
      // No space, never garbage.
      {-1, {}, {"0", "", "0", "Nel lettore: 0 MBytes liberi"}},
  };
  StartComputer();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.texts[3] + " " + c.texts[2]);
    std::filesystem::remove_all(temp.Native("E"));
    Drive('E', DRIVE_KIND_REMOVABLE, c.freeBytes >= 0);
    for (auto [name, size] : c.files) temp.MakeFile(std::string("E\\") + name, size);
    platform.SetFreeSpace('E', c.freeBytes, 4096);
    dlg.SetText(IDC_PLAYER_PATH, "E:");
    MeasurePlayer(dlg);
    EXPECT_EQ(Texts({IDC_FREE_BYTES, IDC_CLUSTER_BYTES, IDC_RECOVERABLE_BYTES, IDC_STATUS_LINE}), c.texts);
  }
}

// Two removable drives, so no player is taken at start-up and the user
// chooses one in the tree: the worked example on E:. The free bytes are
// asked afresh every time.
TEST_F(TreeTest, OnlyARemovableRootCanBeChosenAndChoosingMeasuresIt) {
  Drive('F', DRIVE_KIND_REMOVABLE);
  temp.MakeFolder("E\\Album");
  for (const char* song : {"E\\a.mp3", "E\\b.mp3", "E\\c.mp3"}) temp.MakeFile(song, 4194304);
  temp.MakeFile("F\\brano.wma", 2097152);
  platform.SetFreeSpace('E', kFree500MB, 4096);
  platform.SetFreeSpace('F', 104857600, 512);
  StartComputer();
  EXPECT_EQ(Texts({IDC_PLAYER_PATH, IDC_STATUS_LINE, IDC_FREE_BYTES}),
            Strings({"TROPPI", "Troppi possibili lettori collegati", ""}));
  const std::pair<Strings, bool> cases[] = {
      {{kRootE}, true},  {{kRootC}, false}, {{kRootD}, false},
      {{kRootE, "Album"}, false}, {{"F:\\ DISCO RIMUOVIBILE"}, true},
  };
  for (auto& [node, enabled] : cases) {
    SCOPED_TRACE(testing::PrintToString(node));
    SelectNode(node);
    EXPECT_EQ(dlg.IsButtonEnabled(IDC_CHOOSE_PLAYER), enabled);
  }
  dlg.UserClick(IDC_CHOOSE_PLAYER);
  EXPECT_EQ(Texts({IDC_PLAYER_PATH, IDC_STATUS_LINE}),
            Strings({"F:", "Nel lettore: 100 MBytes liberi, 2 MBytes recuperabili, 102 MBytes disponibili"}));
  // The selected folder is used up: nothing left to add or to choose.
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings());
  for (int id : {IDC_ADD_INCLUDED, IDC_ADD_EXCLUDED, IDC_CHOOSE_PLAYER}) EXPECT_FALSE(dlg.IsButtonEnabled(id));
  SelectNode({kRootE});
  dlg.UserClick(IDC_CHOOSE_PLAYER);
  EXPECT_EQ(Texts({IDC_PLAYER_PATH, IDC_FREE_BYTES, IDC_CLUSTER_BYTES, IDC_RECOVERABLE_BYTES, IDC_STATUS_LINE}),
            Strings({"E:", "524288000", "4096", "12582912",
                     "Nel lettore: 500 MBytes liberi, 12 MBytes recuperabili, 512 MBytes disponibili"}));
  double freeBytes = -1;
  platform.SetFreeSpace('E', 4096, 4096);
  EXPECT_TRUE(PlayerFreeBytes("E:", freeBytes));
  EXPECT_EQ(freeBytes, 4096);
  platform.SetFreeSpace('E', -1, 0);
  EXPECT_FALSE(PlayerFreeBytes("E:", freeBytes));
  EXPECT_EQ(freeBytes, 0);
}

}  // namespace
