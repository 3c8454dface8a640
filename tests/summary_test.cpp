#include <cstdlib>

#include "catalogue_fixture.h"

namespace {

constexpr unsigned kMegabyte = 1048576;

class SummaryTest : public CatalogueTest {};

TEST_F(SummaryTest, ThreeSongsOfThreeMillionBytesShowNineMegabytesOnBothLines) {
  for (const char* name : {"uno.mp3", "due.mp3", "tre.mp3"}) {
    temp.MakeFile(std::string("Musica\\") + name, 3000000);
  }
  Include("C:\\Musica");

  RebuildCatalogue(dlg);

  EXPECT_EQ(Text(IDC_SONGS_TOTAL), "9000000");
  EXPECT_EQ(Text(IDC_CATALOGUE_INFO), "Disponibili 3 brani per 9 MBytes");
  EXPECT_EQ(Text(IDC_COMPILATION_INFO), "Nella compilation;   3 brani per totali 9 MBites");
}

TEST_F(SummaryTest, AnEmptyCatalogueShowsTheRequestWithNoMegabytes) {
  RebuildCatalogue(dlg);
  EXPECT_EQ(Text(IDC_CATALOGUE_INFO), "Nessun brano disponibile");
  EXPECT_EQ(Text(IDC_COMPILATION_INFO), "Nella compilation;   0 brani per totali 0 MBites");
  dlg.UserErase(IDC_MAX_SONGS);
  dlg.UserType(IDC_MAX_SONGS, "5");
  EXPECT_EQ(Text(IDC_COMPILATION_INFO), "Nella compilation;   5 brani per totali 0 MBites");
  dlg.UserErase(IDC_MAX_SONGS);
  EXPECT_EQ(Text(IDC_COMPILATION_INFO), "Nella compilation;   0 brani per totali 0 MBites");
}

TEST_F(SummaryTest, TheCatalogueLineRoundsToWholeMegabytes) {
  struct Case {
    const char* count;
    const char* total;
    const char* line;
  };
  const Case cases[] = {
      {"", "", "Nessun brano disponibile"},
      {"0", "5000000", "Nessun brano disponibile"},
      {"1", "0", "Disponibili 1 brani per 0 MBytes"},
      {"2", "1572863", "Disponibili 2 brani per 1 MBytes"},
      {"2", "1572865", "Disponibili 2 brani per 2 MBytes"},
      {"200000", "5000000000000", "Disponibili 200000 brani per 4768372 MBytes"},
  };
  TableStore plain;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    plain.SetText(IDC_SONG_COUNT, c.count);
    plain.SetText(IDC_SONGS_TOTAL, c.total);
    ShowCatalogueSummary(plain);
    EXPECT_EQ(plain.ReadText(IDC_CATALOGUE_INFO, 256), c.line);
  }
}

TEST_F(SummaryTest, TheCompilationLineSumsTheFirstPositionsOfTheChosenOrder) {
  struct Case {
    bool forbidden;
    const char* requested;
    const char* line;
  };
  // Song k is 2^k megabytes; the orders are set by hand.
  const Case cases[] = {
      {true, "2", "Nella compilation;   2 brani per totali 10 MBites"},
      {true, "4", "Nella compilation;   4 brani per totali 15 MBites"},
      {true, "5", "Nella compilation;   5 brani per totali 18 MBites"},
      {true, "7", "Nella compilation;   7 brani per totali 18 MBites"},
      {false, "2", "Nella compilation;   2 brani per totali 12 MBites"},
      {false, "4", "Nella compilation;   4 brani per totali 14 MBites"},
      {false, "", "Nella compilation;   0 brani per totali 0 MBites"},
  };
  TableStore plain;
  for (unsigned megabytes : {1u, 2u, 4u, 8u}) {
    plain.AddEntry(IDC_SONG_NAMES, "brano");
    plain.AddEntry(IDC_SONG_SIZES, std::to_string(megabytes * kMegabyte));
  }
  for (const char* k : {"3", "1", "0", "2"}) plain.AddEntry(IDC_ORDER_NO_REPEAT, k);
  for (const char* k : {"3", "2", "0", "0", "2"}) plain.AddEntry(IDC_ORDER_WITH_REPEAT, k);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    plain.UserClick(c.forbidden ? IDC_REPEAT_FORBIDDEN : IDC_REPEAT_ALLOWED);
    plain.SetText(IDC_MAX_SONGS, c.requested);
    ShowCompilationSummary(plain);
    EXPECT_EQ(plain.ReadText(IDC_COMPILATION_INFO, 256), c.line);
  }
}

TEST_F(SummaryTest, TypingARequestRedrawsAndRewritesTheCompilationLine) {
  FillCatalogue({kMegabyte, kMegabyte, kMegabyte, kMegabyte});
  dlg.UserType(IDC_MAX_SONGS, "3");
  EXPECT_EQ(dlg.CountEntries(IDC_ORDER_NO_REPEAT), 4);
  EXPECT_EQ(Text(IDC_COMPILATION_INFO), "Nella compilation;   3 brani per totali 3 MBites");
  dlg.UserType(IDC_MAX_SONGS, "0");
  EXPECT_EQ(dlg.CountEntries(IDC_ORDER_WITH_REPEAT), 30);
  EXPECT_EQ(Text(IDC_COMPILATION_INFO), "Nella compilation;   30 brani per totali 30 MBites");
}

TEST_F(SummaryTest, ChoosingRepetitionsLeavesTheCompilationLineAsItWas) {
  FillCatalogue({kMegabyte, 2 * kMegabyte});
  dlg.UserType(IDC_MAX_SONGS, "2");
  std::string line = Text(IDC_COMPILATION_INFO);
  dlg.UserClick(IDC_REPEAT_ALLOWED);
  EXPECT_EQ(Text(IDC_COMPILATION_INFO), line);
}

// What the dialog showed each time the requested number changed.
struct ChangeSeen {
  std::string catalogueLine;
  std::string compilationLine;
  std::string count;
  std::string total;
};
std::vector<ChangeSeen>* changesSeen = nullptr;

int RecordingProc(StateStore& dlg, unsigned message, std::uintptr_t wparam, std::intptr_t lparam) {
  int result = MainDialogProc(dlg, message, wparam, lparam);
  if (message == MSG_COMMAND && wparam == CommandParam(IDC_MAX_SONGS, NOTIFY_EDIT_CHANGE)) {
    changesSeen->push_back({dlg.ReadText(IDC_CATALOGUE_INFO, 256),
                            dlg.ReadText(IDC_COMPILATION_INFO, 256),
                            dlg.ReadText(IDC_SONG_COUNT, 64), dlg.ReadText(IDC_SONGS_TOTAL, 64)});
  }
  return result;
}

TEST_F(SummaryTest, TheRescanRewritesTheCompilationLineBeforeTheCatalogueLine) {
  std::vector<ChangeSeen> seen;
  changesSeen = &seen;
  TableStore recorded{RecordingProc};
  recorded.Initialise();
  recorded.AddEntry(IDC_INCLUDED_LIST, "C:\\Musica");
  for (const char* name : {"uno.mp3", "due.mp3", "tre.mp3"}) {
    temp.MakeFile(std::string("Musica\\") + name, 3000000);
  }
  RebuildCatalogue(recorded);
  temp.MakeFile("Musica\\quattro.mp3", 3000000);
  seen.clear();

  RebuildCatalogue(recorded);

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].catalogueLine, "Compilo l'elenco dei brani");
  EXPECT_EQ(seen[0].compilationLine, "Nella compilation;   4 brani per totali 11 MBites");
  EXPECT_EQ(seen[0].count, "4");
  EXPECT_EQ(seen[0].total, "9000000");
  EXPECT_EQ(recorded.ReadText(IDC_CATALOGUE_INFO, 256), "Disponibili 4 brani per 11 MBytes");
  EXPECT_EQ(recorded.CountEntries(IDC_ORDER_NO_REPEAT), 4);
  changesSeen = nullptr;
}

TEST(NumbersTest, ReadAsTheRuntimeReads) {
  for (const char* text : {"", "0", "7", "007", "4294967295", "123456789012345",
                           "1234567890123456789", " 42", "42abc", "-3", "+8", "1e3", "0x10", "3.5"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ReadSize(text), std::atof(text));
  }
  for (const char* text : {"", "0", "7", "007", "123456789", "1234567890", "2147483647", " 42",
                           "42abc", "-3", "+8", "1e3"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ReadWhole(text), std::atoi(text));
  }
}

}  // namespace
