// The road of a run of the Linux program through its real widgets: a
// library and a player in real folders, lettered by MESCOLA_DRIVES, the
// player a 4 MB tmpfs (mounting it needs root; without, the test is
// skipped). What the program leaves on disk is checked byte for byte
// against what the Windows program writes for the same library and order.
#include <sys/mount.h>
#include <unistd.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include "app/dispatch.h"
#include "fake_platform.h"
#include "platform/posix/drive_map.h"
#include "qt_application.h"
#include "store/text.h"
#include "ui/qt/main_window.h"

namespace fs = std::filesystem;

namespace {

// Enorme.wav is larger than the whole player; Live is excluded and Jazz
// never included.
const std::pair<const char*, int> kLibrary[] = {
    {"Musica/Blues/Crossroads.mp3", 400000}, {"Musica/Blues/Hoochie Coochie.wma", 300000},
    {"Musica/Rock/Highway.mp3", 700000},     {"Musica/Rock/Enorme.wav", 5000000},
    {"Musica/Rock/Live/Highway.mp3", 650000}, {"Musica/Jazz/So What.MP3", 600000}};

// A file of size bytes made of its own name, repeated: copies can be told apart.
void WriteSong(const fs::path& file, int size) {
  fs::create_directories(file.parent_path());
  std::string bytes;
  while (static_cast<int>(bytes.size()) < size) bytes += file.string() + "\n";
  std::ofstream(file, std::ios::binary) << bytes.substr(0, static_cast<std::size_t>(size));
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

QString Plain(QString text) { return text.remove('&'); }

// A person at the window: clicks, keys and answers to the dialogs it opens.
class Person {
 public:
  explicit Person(MainWindow& window) : window_(window) {}

  template <typename W>
  W* Control(const char* name) { return window_.findChild<W*>(name); }

  void Click(const char* button) { QTest::mouseClick(Control<QAbstractButton>(button), Qt::LeftButton); }

  // Clicks the nodes from a drive root down, opening each one as it goes.
  void Select(std::initializer_list<const char*> path) {
    auto* tree = Control<QTreeWidget>("IDC_FOLDER_TREE");
    QTreeWidgetItem* above = tree->invisibleRootItem();
    for (const char* name : path) {
      QTreeWidgetItem* node = nullptr;
      for (int i = 0; i < above->childCount() && !node; ++i) {
        if (above->child(i)->text(0).startsWith(name)) node = above->child(i);
      }
      ASSERT_TRUE(node) << name;
      tree->scrollToItem(node);
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(node).center());
      QTest::keyClick(tree, Qt::Key_Right);
      above = node;
    }
  }

  void Pick(const char* list, int index) {
    auto* widget = Control<QListWidget>(list);
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier,
                      widget->visualItemRect(widget->item(index)).center());
  }

  QStringList Entries(const char* list) {
    QStringList entries;
    auto* widget = Control<QListWidget>(list);
    for (int i = 0; i < widget->count(); ++i) entries << widget->item(i)->text();
    return entries;
  }

  // act runs on the next dialog the window opens, while the click that
  // opens it waits.
  void Then(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer(&window_);
    QObject::connect(timer, &QTimer::timeout, [this, timer, act] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog || dialog == &window_) return;
      timer->stop();
      timer->deleteLater();
      act(dialog);
    });
    timer->start(20);
  }

  // Answers a message box with the button so labelled, noting its text and buttons.
  void Answer(const QString& button, QString* text, QStringList* buttons) {
    Then([=](QWidget* dialog) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      ASSERT_TRUE(box);
      *text = box->windowTitle() + "|" + box->text();
      QAbstractButton* chosen = nullptr;
      for (QAbstractButton* shown : box->buttons()) {
        *buttons << Plain(shown->text());
        if (Plain(shown->text()) == button) chosen = shown;
      }
      ASSERT_TRUE(chosen);
      QTest::mouseClick(chosen, Qt::LeftButton);
    });
  }

  void ChooseFile(const fs::path& file) {
    Then([=](QWidget* dialog) {
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_TRUE(qobject_cast<QFileDialog*>(dialog) && name);
      EXPECT_EQ(qobject_cast<QFileDialog*>(dialog)->nameFilters(), QStringList("Playlist (*.lis)"));
      name->setText(QString::fromStdString(file.string()));
      QTest::keyClick(name, Qt::Key_Return);
    });
  }

 private:
  MainWindow& window_;
};

struct Mounted {
  std::string at;
  ~Mounted() {
    if (!at.empty()) umount(at.c_str());
  }
};

TEST(QtRoad, ListsPlaylistNumberAndCopyThroughTheWindow) {
  TempFolder temp;
  fs::path c = temp.native() / "c", e = temp.native() / "e", work = c / "Lavoro";
  for (const auto& [song, size] : kLibrary) WriteSong(c / song, size);
  fs::create_directories(work);
  fs::create_directories(e);
  Mounted player;
  if (mount("tmpfs", e.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4m") != 0) {
    GTEST_SKIP() << "cannot mount a 4 MB tmpfs: run as root";
  }
  player.at = e.string();
  WriteSong(e / "Vecchio.mp3", 1100000);
  WriteSong(e / "note.txt", 3000);
  setenv("MESCOLA_DRIVES", ("C=fixed:" + c.string() + ";E=removable:" + e.string()).c_str(), 1);
  if (DriveMap().size() != 2 || DriveMap()[1].directory != e.string()) {
    GTEST_SKIP() << "the drive map was read before this test: run it alone";
  }
  fs::path before = fs::current_path();
  fs::current_path(work);

  QtApplication();
  UseItalianTexts();
  MainWindow window(MainDialogEvents());
  window.Start();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  Person person(window);
  EXPECT_EQ(person.Control<QLineEdit>("IDC_PLAYER_PATH")->text(), "E:");

  person.Select({"C:\\", "Musica", "Rock"});
  person.Click("IDC_ADD_INCLUDED");
  person.Select({"C:\\", "Musica", "Blues"});
  person.Click("IDC_ADD_INCLUDED");
  person.Select({"C:\\", "Musica", "Rock", "Live"});
  person.Click("IDC_ADD_EXCLUDED");
  QStringList included{"C:\\Musica\\Blues", "C:\\Musica\\Rock"};
  EXPECT_EQ(person.Entries("IDC_INCLUDED_LIST"), included);

  // Leaving with the lists unsaved asks first; Annulla keeps the window.
  QString question;
  QStringList buttons;
  person.Answer("Annulla", &question, &buttons);
  person.Click("IDC_FINISH");
  // In the order the desktop places them.
  buttons.sort();
  EXPECT_EQ(buttons, QStringList({"Annulla", "No", "S\u00ec"}));
  EXPECT_TRUE(window.isVisible());

  const std::string lists = "*C:\\Musica\\Blues\r\n*C:\\Musica\\Rock\r\n?C:\\Musica\\Rock\\Live\r\n";
  person.ChooseFile(work / "scelta");
  person.Click("IDC_SAVE_AS");
  EXPECT_EQ(Bytes(work / "scelta.lis"), lists);
  person.Pick("IDC_INCLUDED_LIST", 0);
  person.Click("IDC_REMOVE_INCLUDED");
  person.ChooseFile(work / "scelta.lis");
  person.Click("IDC_OPEN_PLAYLIST");
  EXPECT_EQ(person.Entries("IDC_INCLUDED_LIST"), included);

  // Four songs: the three that fit and Enorme, which never does.
  auto* number = person.Control<QLineEdit>("IDC_MAX_SONGS");
  EXPECT_EQ(number->text(), "4");
  QTest::mouseClick(number, Qt::LeftButton);
  QTest::keyClick(number, Qt::Key_End);
  QTest::keyClick(number, Qt::Key_Backspace);
  EXPECT_FALSE(person.Control<QAbstractButton>("IDC_SHUFFLE_COPY")->isEnabled());
  QTest::keyClicks(number, "4x");
  EXPECT_EQ(number->text(), "4");

  // The Windows program's log for this order.
  StateStore& dlg = window.Store();
  std::string expected = "PLAY-LIST\r\n\r\nInizio a cancellare il {TS}\r\nCancello    1  Vecchio.mp3 \r\n"
                         "Finito di cancellare il {TS}\r\n\r\nInizio a copiare i brani il {TS}\r\n\r\n";
  std::string entry, name;
  int copied = 0;
  for (int i = 0; i < 4; ++i) {
    dlg.ReadEntry(IDC_ORDER_NO_REPEAT, i, entry);
    dlg.ReadEntry(IDC_SONG_NAMES, std::stoi(entry), name);
    expected += name == "Enorme" ? "   - Enorme (non copiato: spazio insufficiente)\r\n"
                                 : Format("%4d %s\r\n", ++copied, name.c_str());
  }
  expected += "\r\nFinito di copiare i brani il {TS}\r\nScritti in totale 1367 KBytes\r\n";

  QString message;
  buttons.clear();
  person.Answer("OK", &message, &buttons);
  person.Click("IDC_SHUFFLE_COPY");
  EXPECT_EQ(message.toStdString(), "A T T E N Z I O N E !|Copiati 3 brani su 4 richiesti.\n"
                                   "I brani non copiati sono elencati in \"Playlist.txt\".");
  EXPECT_FALSE(window.isVisible());
  fs::current_path(before);

  std::regex stamp("\\d\\d/\\d\\d/\\d{4} alle \\d\\d:\\d\\d:\\d\\d");
  EXPECT_EQ(std::regex_replace(Bytes(work / "Playlist.txt"), stamp, "{TS}"), expected);
  EXPECT_EQ(Bytes(work / "ultima.lis"), lists);
  std::vector<std::string> onPlayer;
  for (const auto& file : fs::directory_iterator(e)) onPlayer.push_back(file.path().filename());
  std::sort(onPlayer.begin(), onPlayer.end());
  EXPECT_EQ(onPlayer, std::vector<std::string>({"Crossroads.mp3", "Highway.mp3", "Hoochie Coochie.wma",
                                                "note.txt"}));
  for (const char* song : {"Blues/Crossroads.mp3", "Blues/Hoochie Coochie.wma", "Rock/Highway.mp3"}) {
    EXPECT_EQ(Bytes(e / fs::path(song).filename()), Bytes(c / "Musica" / song)) << song;
  }
}

}  // namespace
