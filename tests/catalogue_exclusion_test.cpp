#include <algorithm>

#include "catalogue_fixture.h"

namespace {

class ExclusionTest : public CatalogueTest {};

TEST_F(ExclusionTest, AnEntryExcludesItsFolderAndBelowByWholeNamesIgnoringCase) {
  struct Case {
    std::vector<const char*> excluded;
    const char* folder;
    bool allowed;
  };
  const Case cases[] = {
      {{"C:\\Musica\\Live"}, "C:\\Musica\\Live", false},
      {{"C:\\Musica\\Live"}, "C:\\Musica\\Live\\Extra", false},
      {{"C:\\Musica\\Live"}, "C:\\Musica\\Live 2", true},
      {{"C:\\Musica\\Live"}, "C:\\Musica\\Liveria\\Extra", true},
      {{"C:\\Musica\\Live"}, "C:\\Musica", true},
      {{"C:\\Musica\\Live"}, "D:\\Musica\\Live", true},
      {{"C:\\Musica\\Live"}, "C:\\Altro\\C:\\Musica\\Live", true},
      {{"C:\\musica\\LIVE"}, "C:\\Musica\\Live\\Extra", false},
      {{"C:\\MUSICA"}, "C:\\Musica\\Rock", false},
      {{"C:"}, "C:", false},
      {{"C:"}, "C:\\Musica\\Rock", false},
      {{"c:"}, "C:\\Musica", false},
      {{"C:"}, "D:\\Musica", true},
      {{""}, "C:\\Musica", true},
      {{}, "C:\\Musica", true},
      // Only A to Z have a case: accented letters must match exactly.
      {{"C:\\Citt\xE0"}, "C:\\CITT\xC0", true},
      {{"C:\\Citt\xE0"}, "C:\\CITT\xE0\\Jazz", false},
      {{"", "C:\\Rock", "E:\\Altro"}, "C:\\Rock\\Anni 70", false},
      {{"C:\\Rock\\Anni 70\\Lunghissimo nome", "C:\\Rock\\Anni 7"}, "C:\\Rock\\Anni 70", true},
  };
  for (const Case& c : cases) {
    std::string trace = c.folder;
    for (const char* entry : c.excluded) trace += std::string(" | ") + entry;
    SCOPED_TRACE(trace);
    dlg.ClearList(IDC_EXCLUDED_LIST);
    for (const char* entry : c.excluded) Exclude(entry);
    EXPECT_EQ(IsFolderAllowed(dlg, c.folder, IDC_EXCLUDED_LIST), c.allowed);
  }
}

TEST_F(ExclusionTest, ExcludedFoldersAreLeftOutOfTheScanWithEverythingBelowThem) {
  struct Case {
    std::vector<const char*> excluded;
    std::vector<const char*> songs;
  };
  const Case cases[] = {
      {{}, {"live", "extra", "live 2", "rock"}},
      {{"C:\\musica\\live"}, {"live 2", "rock"}},
      {{"C:\\Musica\\Live\\Extra"}, {"live", "live 2", "rock"}},
      {{"C:\\MUSICA"}, {}},
      {{"C:"}, {}},
      {{""}, {"live", "extra", "live 2", "rock"}},
      {{"C:\\Altrove"}, {"live", "extra", "live 2", "rock"}},
  };
  temp.MakeFile("Musica\\Live\\live.mp3", 1);
  temp.MakeFile("Musica\\Live\\Extra\\extra.mp3", 2);
  temp.MakeFile("Musica\\Live 2\\live 2.mp3", 3);
  temp.MakeFile("Musica\\Rock\\rock.mp3", 4);
  Include("C:\\Musica");
  for (const Case& c : cases) {
    std::string trace;
    for (const char* entry : c.excluded) trace += std::string(entry) + " | ";
    SCOPED_TRACE(trace);
    dlg.ClearList(IDC_EXCLUDED_LIST);
    for (const char* entry : c.excluded) Exclude(entry);

    RebuildCatalogue(dlg);

    std::vector<std::string> names = Entries(IDC_SONG_NAMES);
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected(c.songs.begin(), c.songs.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
  }
}

}  // namespace
