#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/table_store.h"
#include "lists/lists.h"

namespace {

using Entries = std::vector<std::string>;

Entries EntriesOf(TableStore& dlg, int list) {
  Entries entries(static_cast<std::size_t>(dlg.CountEntries(list)));
  for (std::size_t i = 0; i < entries.size(); ++i) dlg.ReadEntry(list, static_cast<int>(i), entries[i]);
  return entries;
}

struct ReadCase {
  const char* what;
  std::string text;
  Entries included;
  Entries excluded;
};

const std::string k259(259, 'x');

const ReadCase kReadCases[] = {
    {"as written", "*C:\\Jazz\r\n*C:\\Musica\r\n?C:\\Musica\\Natale\r\n",
     {"C:\\Jazz", "C:\\Musica"}, {"C:\\Musica\\Natale"}},
    {"empty text", "", {}, {}},
    {"a marker alone", "*", {}, {}},
    {"a marker and a line end", "*\r\n", {""}, {}},
    {"an empty line keeps the marker", "?C:\\A\r\n\r\n", {}, {"", "C:\\A"}},
    {"last line without line end", "*C:\\A\r\n?C:\\B", {"C:\\A"}, {"C:\\B"}},
    {"last line of markers only", "*C:\\A\r\n?*", {"C:\\A"}, {}},
    {"LF alone", "*C:\\A\n?C:\\B\n", {"C:\\A"}, {"C:\\B"}},
    {"CR alone", "*C:\\A\r?C:\\B\r", {"C:\\A"}, {"C:\\B"}},
    {"CR at the very end", "*C:\\A\r", {"C:\\A"}, {}},
    // Only an LF is taken as part of a CR's line end, never the byte after it.
    {"CR then CR LF", "*C:\\A\r\r\nC:\\B\r\n", {"", "C:\\A", "C:\\B"}, {}},
    {"LF then CR", "*C:\\A\n\rC:\\B", {"", "C:\\A", "C:\\B"}, {}},
    {"CR followed by a path", "*C:\\A\rC:\\B\r\n", {"C:\\A", "C:\\B"}, {}},
    {"first byte is no marker", "C:\\Musica\r\n", {}, {":\\Musica"}},
    {"any other marker means excluded", "#C:\\A\r\n", {}, {"C:\\A"}},
    {"lines without marker follow the last one", "?C:\\A\r\nC:\\B\r\n*C:\\C\r\nC:\\D\r\n",
     {"C:\\C", "C:\\D"}, {"C:\\A", "C:\\B"}},
    {"a marker inside a line moves it", "?C:\\Mu*sica\r\n*C:\\Ro?ck\r\n", {"C:\\Musica"}, {"C:\\Rock"}},
    {"duplicates and letter case kept", "*C:\\Musica\r\n*c:\\musica\r\n*C:\\Musica\r\n",
     {"C:\\Musica", "c:\\musica", "C:\\Musica"}, {}},
    {"unsorted, excluded first", "?C:\\Z\r\n*C:\\Rock\r\n*C:\\blues\r\n*C:\\Jazz\r\n",
     {"C:\\blues", "C:\\Jazz", "C:\\Rock"}, {"C:\\Z"}},
    {"Windows-1252 bytes as they stand", "*D:\\M\xFAsica\\Citt\xE0\r\n", {"D:\\M\xFAsica\\Citt\xE0"}, {}},
    {"a NUL ends the text", std::string("*C:\\A\r\n*C:\\B\0\r\n*C:\\C\r\n", 19), {"C:\\A", "C:\\B"}, {}},
    {"a NUL first", std::string("\0*C:\\A\r\n", 8), {}, {}},
    // A path is at most 259 characters: longer ones are left out, never cut.
    {"259 characters", "*" + k259 + "\r\n", {k259}, {}},
    {"260 characters", "*" + k259 + "y\r\n*C:\\After\r\n", {"C:\\After"}, {}},
    {"markers do not count", "*" + k259.substr(0, 200) + "**??" + k259.substr(200) + "\r\n", {}, {k259}},
    {"long last line without line end", "*C:\\A\r\n*" + k259 + "y", {"C:\\A"}, {}},
    {"long line ended by CR alone", "*" + std::string(1000, 'z') + "\rC:\\B", {"C:\\B"}, {}},
};

TEST(PlaylistReader, ReadsEveryKindOfLine) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.what);
    TableStore dlg;
    ParsePlaylist(dlg, c.text);
    EXPECT_EQ(EntriesOf(dlg, IDC_INCLUDED_LIST), c.included);
    EXPECT_EQ(EntriesOf(dlg, IDC_EXCLUDED_LIST), c.excluded);
  }
}

TEST(PlaylistReader, AddsToWhatTheListsHold) {
  TableStore dlg;
  dlg.AddEntry(IDC_INCLUDED_LIST, "C:\\Rock");
  ParsePlaylist(dlg, "*C:\\Jazz\r\n");
  EXPECT_EQ(EntriesOf(dlg, IDC_INCLUDED_LIST), (Entries{"C:\\Jazz", "C:\\Rock"}));
}

TEST(PlaylistReader, ReadsBackWhatWasWritten) {
  TableStore written;
  for (const std::string& folder : {std::string("C:\\Musica"), std::string("c:\\musica"), k259,
                                    std::string(""), std::string("D:\\M\xFAsica"), std::string("E:")}) {
    written.AddEntry(IDC_INCLUDED_LIST, folder);
    written.AddEntry(IDC_EXCLUDED_LIST, folder + (folder.size() < 259 ? "\\Natale" : ""));
  }
  std::string text;
  ASSERT_TRUE(BuildPlaylistText(written, text));
  TableStore read;
  ParsePlaylist(read, text);
  EXPECT_EQ(EntriesOf(read, IDC_INCLUDED_LIST), EntriesOf(written, IDC_INCLUDED_LIST));
  EXPECT_EQ(EntriesOf(read, IDC_EXCLUDED_LIST), EntriesOf(written, IDC_EXCLUDED_LIST));
}

// Large texts in shapes no playlist has: read through, line by line (the
// fuzzer reads megabytes).
TEST(PlaylistReader, LargeTextsOfAnyShapeReadThrough) {
  const std::size_t size = 256u << 10;
  {
    SCOPED_TRACE("one line without line end");
    TableStore dlg;
    ParsePlaylist(dlg, "*" + std::string(size, 'a'));
    EXPECT_EQ(dlg.CountEntries(IDC_INCLUDED_LIST) + dlg.CountEntries(IDC_EXCLUDED_LIST), 0);
  }
  for (const char* ending : {"\r", "\n", "\r\n"}) {
    SCOPED_TRACE(testing::PrintToString(ending));
    std::string text = "?";
    while (text.size() < size) text += ending;
    TableStore dlg;
    ParsePlaylist(dlg, text);
    std::size_t lines = (text.size() - 1) / std::string(ending).size();
    EXPECT_EQ(static_cast<std::size_t>(dlg.CountEntries(IDC_EXCLUDED_LIST)), lines);
  }
}

}  // namespace
