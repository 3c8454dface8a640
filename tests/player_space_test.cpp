#include "browser_view.h"
#include "dialog_fixture.h"
#include "player/player.h"

namespace {

using Strings = std::vector<std::string>;

constexpr double kFree500MB = 524288000;  // 500 MBytes

struct SongFile {
  const char* name;  // relative to the player's root; "x\\y" makes the folder x
  std::uintmax_t size;
};

struct MeasureCase {
  const char* name;
  bool medium;  // without one, the volume cannot tell its space nor be listed
  double freeBytes;
  std::uint32_t clusterBytes;
  std::vector<SongFile> files;
  const char* free;         // IDC_FREE_BYTES
  const char* cluster;      // IDC_CLUSTER_BYTES
  const char* recoverable;  // IDC_RECOVERABLE_BYTES
  const char* status;
};

class MeasureAtStartUp : public DialogTest, public ::testing::WithParamInterface<MeasureCase> {};

// One removable drive, E:, is found at start-up and measured at once.
TEST_P(MeasureAtStartUp, FillsTheStaticsAndTheStatusLine) {
  const MeasureCase& c = GetParam();
  platform.SetDriveKind('C', DRIVE_KIND_FIXED);
  platform.MapDrive('E', DRIVE_KIND_REMOVABLE, temp.path() + "\\E");
  if (c.medium) {
    temp.MakeFolder("E");
    platform.SetFreeSpace('E', c.freeBytes, c.clusterBytes);
  } else {
    platform.SetFreeSpaceUnknown('E');
  }
  for (const SongFile& file : c.files) temp.MakeFile(std::string("E\\") + file.name, file.size);
  Start();

  EXPECT_EQ(Text(IDC_PLAYER_PATH), "E:");
  EXPECT_EQ(Text(IDC_FREE_BYTES), c.free);
  EXPECT_EQ(Text(IDC_CLUSTER_BYTES), c.cluster);
  EXPECT_EQ(Text(IDC_RECOVERABLE_BYTES), c.recoverable);
  EXPECT_EQ(Text(IDC_STATUS_LINE), c.status);
}

const char* const kShort500 = "Nel lettore: 500 MBytes liberi";

INSTANTIATE_TEST_SUITE_P(
    Players, MeasureAtStartUp,
    ::testing::Values(
        MeasureCase{"ThreeSongsOf4MB", true, kFree500MB, 4096,
                    {{"a.mp3", 4194304}, {"b.wma", 4194304}, {"c.wav", 4194304}},
                    "524288000", "4096", "12582912",
                    "Nel lettore: 500 MBytes liberi, 12 MBytes recuperabili, 512 MBytes disponibili"},
        MeasureCase{"NoMusic", true, kFree500MB, 512, {}, "524288000", "512", "0", kShort500},
        MeasureCase{"JustUnderAMegabyte", true, kFree500MB, 4096, {{"a.mp3", 1048575}},
                    "524288000", "4096", "1048575", kShort500},
        MeasureCase{"ExactlyAMegabyte", true, kFree500MB, 4096, {{"a.mp3", 1048576}},
                    "524288000", "4096", "1048576",
                    "Nel lettore: 500 MBytes liberi, 1 MBytes recuperabili, 501 MBytes disponibili"},
        MeasureCase{"MusicOnlyInSubfolders", true, kFree500MB, 4096, {{"Album\\a.mp3", 8388608}},
                    "524288000", "4096", "0", kShort500},
        // Only files directly in the root whose text after the last dot is
        // a song extension, in any case; hidden files count too.
        MeasureCase{"OnlySongFilesCount", true, kFree500MB, 4096,
                    {{"SONG.MP3", 2097152}, {"song.mp3.txt", 4194304}, {"mp3", 4194304},
                     {"x.mp3\\dentro.txt", 4194304}, {"a.b.ApE", 1048576}, {".nascosta.wma", 1048576}},
                    "524288000", "4096", "4194304",
                    "Nel lettore: 500 MBytes liberi, 4 MBytes recuperabili, 504 MBytes disponibili"},
        // The low 32 bits of each size, summed in 32 bits: 3 MB + (4 GB - 1 MB)
        // + 2 MB wraps round to 4 MB.
        MeasureCase{"SizesSummedIn32Bits", true, kFree500MB, 4096,
                    {{"enorme.wav", 4294967296u + 3145728u}, {"grande.mp3", 4293918720u},
                     {"a.mp3", 2097152}},
                    "524288000", "4096", "4194304",
                    "Nel lettore: 500 MBytes liberi, 4 MBytes recuperabili, 504 MBytes disponibili"},
        MeasureCase{"RoundsToTheNearestMegabyte", true, kFree500MB + 786432, 4096,
                    {{"a.mp3", 1310720}}, "525074432", "4096", "1310720",
                    "Nel lettore: 501 MBytes liberi, 1 MBytes recuperabili, 502 MBytes disponibili"},
        // A drive without a medium: no space, never garbage.
        MeasureCase{"NoMedium", false, 0, 0, {}, "0", "", "0", "Nel lettore: 0 MBytes liberi"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DetectionCase {
  const char* name;
  std::vector<std::pair<char, DriveKind>> drives;
  const char* player;
  const char* status;
};

class Detection : public DialogTest, public ::testing::WithParamInterface<DetectionCase> {};

TEST_P(Detection, FindsTheOneRemovableDrive) {
  const DetectionCase& c = GetParam();
  for (auto [letter, kind] : c.drives) {
    platform.SetDriveKind(letter, kind);
    platform.SetFreeSpace(letter, kFree500MB, 4096);
  }
  Start();
  EXPECT_EQ(Text(IDC_PLAYER_PATH), c.player);
  EXPECT_EQ(Text(IDC_STATUS_LINE), c.status);
  // Only a measured player fills the statics.
  bool measured = std::string(c.player).size() == 2;
  EXPECT_EQ(Text(IDC_FREE_BYTES), measured ? "524288000" : "");
  EXPECT_EQ(Text(IDC_CLUSTER_BYTES), measured ? "4096" : "");
  EXPECT_FALSE(dlg.IsButtonEnabled(IDC_SHUFFLE_COPY));
}

INSTANTIATE_TEST_SUITE_P(
    Computers, Detection,
    ::testing::Values(
        DetectionCase{"NoRemovableDrive",
                      {{'C', DRIVE_KIND_FIXED}, {'D', DRIVE_KIND_CDROM}, {'F', DRIVE_KIND_REMOTE}},
                      "NESSUNO", "Nessun lettore collegato"},
        DetectionCase{"FloppiesNeverCount",
                      {{'A', DRIVE_KIND_REMOVABLE}, {'B', DRIVE_KIND_REMOVABLE}, {'C', DRIVE_KIND_FIXED}},
                      "NESSUNO", "Nessun lettore collegato"},
        DetectionCase{"OnePlayer",
                      {{'A', DRIVE_KIND_REMOVABLE}, {'C', DRIVE_KIND_FIXED}, {'D', DRIVE_KIND_CDROM},
                       {'E', DRIVE_KIND_REMOVABLE}},
                      "E:", kShort500},
        DetectionCase{"OnePlayerAtZ", {{'C', DRIVE_KIND_FIXED}, {'Z', DRIVE_KIND_REMOVABLE}}, "Z:",
                      kShort500},
        DetectionCase{"CardReaderAndPlayer",
                      {{'C', DRIVE_KIND_FIXED}, {'E', DRIVE_KIND_REMOVABLE}, {'F', DRIVE_KIND_REMOVABLE},
                       {'G', DRIVE_KIND_REMOVABLE}},
                      "TROPPI", "Troppi possibili lettori collegati"}),
    [](const auto& info) { return std::string(info.param.name); });

// C: fixed, D: a CD-ROM drive, two removable drives E: and F:, so no player
// is taken at start-up and the user chooses one in the tree.
class ChoosingThePlayer : public DialogTest {
 protected:
  void SetUp() override {
    for (const char* folder : {"C", "D", "E\\Album", "F"}) temp.MakeFolder(folder);
    platform.MapDrive('C', DRIVE_KIND_FIXED, temp.path() + "\\C");
    platform.MapDrive('D', DRIVE_KIND_CDROM, temp.path() + "\\D");
    platform.MapDrive('E', DRIVE_KIND_REMOVABLE, temp.path() + "\\E");
    platform.MapDrive('F', DRIVE_KIND_REMOVABLE, temp.path() + "\\F");
    platform.SetFreeSpace('E', kFree500MB, 4096);
    platform.SetFreeSpace('F', 104857600, 512);
    for (const char* song : {"E\\a.mp3", "E\\b.mp3", "E\\c.mp3"}) temp.MakeFile(song, 4194304);
    temp.MakeFile("F\\brano.wma", 2097152);
    Start();
  }
  void Select(std::initializer_list<std::string> texts) {
    TreeNode node = NodeAt(dlg, texts);
    ASSERT_NE(node, 0u) << "no such node";
    dlg.UserSelectNode(node);
  }
};

TEST_F(ChoosingThePlayer, OnlyARemovableRootCanBeChosen) {
  ASSERT_EQ(Text(IDC_PLAYER_PATH), "TROPPI");
  struct { std::initializer_list<std::string> node; bool enabled; } cases[] = {
      {{"E:\\ DISCO RIMUOVIBILE"}, true},
      {{"C:\\ DISCO FISSO"}, false},
      {{"D:\\ LETTORE CD/ROM"}, false},
      {{"F:\\ DISCO RIMUOVIBILE"}, true},
      {{"E:\\ DISCO RIMUOVIBILE", "Album"}, false},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(*c.node.begin());
    Select(c.node);
    EXPECT_EQ(dlg.IsButtonEnabled(IDC_CHOOSE_PLAYER), c.enabled);
  }
}

TEST_F(ChoosingThePlayer, ChoosingReplacesTheWholeMeasurement) {
  Select({"E:\\ DISCO RIMUOVIBILE"});
  dlg.UserClick(IDC_CHOOSE_PLAYER);
  EXPECT_EQ(Text(IDC_PLAYER_PATH), "E:");
  EXPECT_EQ(Text(IDC_STATUS_LINE),
            "Nel lettore: 500 MBytes liberi, 12 MBytes recuperabili, 512 MBytes disponibili");
  // The selected folder is used up: nothing left to add or to choose.
  EXPECT_EQ(Entries(IDC_SELECTED_FOLDER), Strings());
  for (int id : {IDC_ADD_INCLUDED, IDC_ADD_EXCLUDED, IDC_CHOOSE_PLAYER}) {
    EXPECT_FALSE(dlg.IsButtonEnabled(id)) << id;
  }

  Select({"F:\\ DISCO RIMUOVIBILE"});
  dlg.UserClick(IDC_CHOOSE_PLAYER);
  EXPECT_EQ(Text(IDC_PLAYER_PATH), "F:");
  EXPECT_EQ(Text(IDC_FREE_BYTES), "104857600");
  EXPECT_EQ(Text(IDC_CLUSTER_BYTES), "512");
  EXPECT_EQ(Text(IDC_RECOVERABLE_BYTES), "2097152");
  EXPECT_EQ(Text(IDC_STATUS_LINE),
            "Nel lettore: 100 MBytes liberi, 2 MBytes recuperabili, 102 MBytes disponibili");
}

TEST_F(ChoosingThePlayer, FreeBytesAreAskedAfreshEachTime) {
  double freeBytes = -1;
  EXPECT_TRUE(PlayerFreeBytes("E:", freeBytes));
  EXPECT_EQ(freeBytes, kFree500MB);
  platform.SetFreeSpace('E', 4096, 4096);
  EXPECT_TRUE(PlayerFreeBytes("E:", freeBytes));
  EXPECT_EQ(freeBytes, 4096);
  // A volume that cannot tell leaves no room for a song.
  platform.SetFreeSpaceUnknown('E');
  EXPECT_FALSE(PlayerFreeBytes("E:", freeBytes));
  EXPECT_EQ(freeBytes, 0);
}

}  // namespace
