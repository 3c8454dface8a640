#include "dialog_fixture.h"
#include "lists/lists.h"

using namespace std::string_view_literals;

const std::string k259(259, 'x');
static std::string Times(int n, const std::string& letter) { return n ? letter + Times(n - 1, letter) : ""; }
const char kOld[] = "*C:\\Vecchia\r\n";
// The text as UTF-16 after its mark, as Notepad saves "Unicode".
static std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) bytes += bigEndian ? std::string{char(unit >> 8), char(unit)} : std::string{char(unit), char(unit >> 8)};
  return bytes;
}
// Both lists as a playlist file holds them.
static std::string Lists(StateStore& dlg) {
  std::string text;
  BuildPlaylistText(dlg, text);
  return text;
}

using ListsTest = DialogTest;

TEST_F(ListsTest, ReadsEveryKindOfLine) {
  const std::pair<std::string, std::string> rows[] = {
      {"*C:\\Jazz\r\n*C:\\Musica\r\n?C:\\Musica\\Natale\r\n", "*C:\\Jazz|*C:\\Musica|?C:\\Musica\\Natale|"},
      {"?C:\\A\r\n\r\n", "?|?C:\\A|"},  // an empty line keeps the marker
      {"*C:\\A\n?C:\\B", "*C:\\A|?C:\\B|"},  // the last line needs no line end
      {"*C:\\A\r?C:\\B\r", "*C:\\A|?C:\\B|"}, {"*C:\\A\r\r\nC:\\B\r\n", "*|*C:\\A|*C:\\B|"},
      {"C:\\Musica\r\n", "?:\\Musica|"},  // the first byte is the marker
      {"?C:\\A\r\nC:\\B\r\n*C:\\C\r\nC:\\D\r\n", "*C:\\C|*C:\\D|?C:\\A|?C:\\B|"},
      {"?C:\\Mu*sica\r\n*C:\\Ro?ck\r\n", "*C:\\Musica|?C:\\Rock|"},  // a marker inside a line moves it
      // Windows-1252, UTF-8 without and with its mark.
      {"*C:\\Caff\xE8\r\n?C:\\\x80\r\n", "*C:\\Caffè|?C:\\€|"}, {"*C:\\Caffè\r\n?C:\\€\r\n", "*C:\\Caffè|?C:\\€|"},
      {"\xEF\xBB\xBF*C:\\Caffè\r\n?C:\\€\r\n", "*C:\\Caffè|?C:\\€|"},
      // A NUL leaves its line out, in any encoding, as does half a surrogate pair.
      {std::string("*C:\\A\r\n*C:\\B\0\r\n*C:\\C\r\n", 22), "*C:\\A|*C:\\C|"},
      {Utf16(u"*C:\\Jazz\r\n", false), "*C:\\Jazz|"}, {Utf16(u"*C:\\Caffè\r\n?C:\\€\r\n", false), "*C:\\Caffè|?C:\\€|"},
      {Utf16(u"*C:\\Жж\r\n?C:\\Caffè 𝄞", true), "*C:\\Жж|?C:\\Caffè 𝄞|"},
      {Utf16(u"*C:\\A\0\r\n*C:\\B\xD834\r\n*C:\\C\r\n"sv, true), "*C:\\C|"},
      // A path is at most 259 UTF-16 units: longer ones are left out, never cut.
      {"*" + k259 + "\r\n*" + k259 + "y\r\n*C:\\After", "*C:\\After|*" + k259 + "|"},
      {"*" + Times(259, "ж") + "\r\n?" + Times(260, "ж"), "*" + Times(259, "ж") + "|"},
      {"?" + Times(259, "東"), "?" + Times(259, "東") + "|"},  // three bytes a character
  };
  for (const auto& [text, expected] : rows) {
    SCOPED_TRACE(text);
    for (int list : {IDC_INCLUDED_LIST, IDC_EXCLUDED_LIST}) dlg.ClearList(list);
    ParsePlaylist(dlg, text);
    std::string lists = Lists(dlg);
    for (std::size_t at; (at = lists.find("\r\n")) != std::string::npos;) lists.replace(at, 2, "|");
    EXPECT_EQ(lists, expected);
  }
}

// Whatever fails, through any writer, the user is told, the old file stays
// byte for byte with no temporary file left, and the lists stay modified.
TEST_F(ListsTest, AFailedSaveKeepsTheOldFileAndTheModifiedMark) {
  const char* const files[] = {"C\\liste\\scelta.lis", "C\\liste\\altra.lis", "C\\lavoro\\ultima.lis"};
  for (int writer = 0; writer < 3; ++writer) {
    for (auto failure : {FakePlatform::kCreateFails, FakePlatform::kWriteFails, FakePlatform::kCloseFails,
                         FakePlatform::kReplaceFails}) {
      SCOPED_TRACE(testing::Message() << "writer " << writer << ", failure " << failure);
      for (const char* file : files) temp.Write(file, kOld);
      Click(IDC_OPEN_PLAYLIST, List("scelta.lis"));
      Add("C:\\Nuova");
      platform.failure = failure;
      if (writer == 0) dlg.UserClick(IDC_SAVE);
      if (writer == 1) Click(IDC_SAVE_AS, List("altra.lis"));
      if (writer == 2) EXPECT_EQ(WriteLastCopyRecord(dlg), -1);
      platform.failure = FakePlatform::kNoFailure;
      EXPECT_EQ(Messages(), (writer == 2 ? "ERRORE|Impossibile aprire il file \"ultima.lis"
                             : "ERRORE|Impossibile scrivere il file\n    \"" + List(writer ? "altra.lis" : "scelta.lis")) + kInUse);
      for (const char* file : files) EXPECT_EQ(temp.Read(file), kOld) << file;
      EXPECT_EQ(Files("C\\liste").size() + Files("C\\lavoro").size(), 3u);  // no temporary file left
      EXPECT_EQ(Text(IDC_PLAYLIST_PATH) + Text(IDC_MODIFIED_FLAG), List("scelta.lis") + "S");
    }
  }
  // Saved at last by Yes to the question on leaving, names that fit Windows-1252 in it.
  Add("C:\\Città");
  shell.answers = {ANSWER_YES};
  dlg.UserClose();
  EXPECT_TRUE(shell.ended);
  EXPECT_EQ(temp.Read("C\\liste\\scelta.lis") + Messages(), "*C:\\Citt\xE0\r\n*C:\\Nuova\r\n*C:\\Vecchia\r\n" + std::string(kWarning) +
            "Il file utilizzato è stato modificato\nSalvarlo prima di uscire?|51");
}
