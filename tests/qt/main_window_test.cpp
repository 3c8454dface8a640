// The Linux program's window on Qt's offscreen platform: a realisation of
// the store, where a person types, clicks and picks entries on its real
// widgets; and the road of a run through them.
#include <sys/mount.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <regex>
#include <set>
#include <thread>

#include "app/dispatch.h"
#include "dialog_fixture.h"
#include "platform/posix/drive_map.h"
#include "store/controls.h"
#include "store/text.h"
#include "store_harness.h"
#include "ui/qt/main_window.h"
#include "x11_watch.h"

// The one Qt application of the test process, kept to the end of the process.
static QApplication& QtApplication() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char* argv[] = {const_cast<char*>("mescola_tests"), nullptr};
  static QApplication* application = new QApplication(argc, argv);
  return *application;
}

// The window with a person at it. With the program's own events it starts
// as the program does and asks the user through its own message boxes.
class QtHarness : public StoreHarness {
 public:
  // answers, when given, answers the program's questions in place of the window's boxes.
  explicit QtHarness(const DialogEvents& events = kEvents, Shell* answers = nullptr)
      : window_(events, &events == &kEvents ? &shell_ : answers) {
    events.start ? window_.Start() : window_.show();
    (void)QTest::qWaitForWindowExposed(&window_);
  }
  StateStore& store() override { return window_.Store(); }
  void Type(int id, const std::string& keys) override {
    QTest::keyClicks(Widget<QLineEdit>(id), QString::fromUtf8(keys.c_str()));
  }
  void Click(int id) override { QTest::mouseClick(Widget<QAbstractButton>(id), Qt::LeftButton); }
  void SelectEntry(int id, int index) override {
    QRect entry = Widget<QListWidget>(id)->visualItemRect(Widget<QListWidget>(id)->item(index));
    QTest::mouseClick(Widget<QListWidget>(id)->viewport(), Qt::LeftButton, Qt::NoModifier, entry.center());
  }
  // Selects the folder in the tree, opening each node on the way, and clicks the button.
  void Select(std::initializer_list<const char*> path, int button) {
    auto* tree = Widget<QTreeWidget>(IDC_FOLDER_TREE);
    QTreeWidgetItem* node = tree->invisibleRootItem();
    for (const char* name : path) {
      QTreeWidgetItem* above = node;
      for (int i = 0; i < above->childCount(); ++i) {
        if (above->child(i)->text(0).startsWith(name)) node = above->child(i);
      }
      tree->scrollToItem(node);
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(node).center());
      QTest::keyClick(tree, Qt::Key_Right);
    }
    Click(button);
  }
  std::string ProgressBar(int id) override {
    auto* bar = Widget<QProgressBar>(id);
    if (bar->isHidden()) return "";
    if (bar->maximum() == 0) return "busy";
    return std::to_string(bar->value()) + "/" + std::to_string(bar->maximum());
  }
  template <typename W>
  W* Widget(int id) { return window_.findChild<W*>(FindControl(id)->name); }
  MainWindow& window() { return window_; }

 private:
  QApplication& application_ = QtApplication();
  FakeShell shell_;
  MainWindow window_;
};

static const bool registered = [] {
  Realisations().push_back({"QtWindow", [] { return std::unique_ptr<StoreHarness>(new QtHarness()); }});
  return true;
}();

// The road of a run: a library and a player in real folders, lettered by
// MESCOLA_DRIVES, the player a 4 MB tmpfs (mounting it needs root; without,
// the test is skipped). What the program leaves on disk is checked byte for byte.
TEST(QtRoad, ListsPlaylistNumberAndCopyThroughTheWindow) {
  TempFolder temp;
  fs::path e = temp.Native("e"), work = temp.Native("c\\Lavoro");
  // Enorme.wav is larger than the whole player; Live is excluded and Jazz never included.
  // Each song is made of its own name, repeated, so that copies can be told apart.
  for (auto [song, size] : {std::pair{"Blues\\Crossroads.mp3", 400000}, {"Blues\\Hoochie.wma", 300000},
                            {"Rock\\Highway.mp3", 700000}, {"Rock\\Enorme.wav", 5000000},
                            {"Rock\\Live\\Highway.mp3", 650000}, {"Jazz\\So What.MP3", 600000}}) {
    std::string bytes;
    while (bytes.size() < std::size_t(size)) bytes += song;
    temp.Write("c\\Musica\\" + std::string(song), bytes.substr(0, size));
  }
  for (const fs::path& folder : {e, work}) fs::create_directories(folder);
  if (mount("tmpfs", e.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4m") != 0) GTEST_SKIP() << "mounting needs root";
  std::shared_ptr<void> unmount(nullptr, [&](void*) { umount(e.c_str()); });
  temp.Write("e\\Vecchio.mp3", std::string(1100000, 'v'));
  temp.Write("e\\note.txt", "note");
  setenv("MESCOLA_DRIVES", ("C=fixed:" + temp.Native("c").string() + ";E=removable:" + e.string()).c_str(), 1);
  if (DriveMap().size() != 2) GTEST_SKIP() << "the drive map was read before this test: run it alone";
  fs::path before = fs::current_path();
  fs::current_path(work);

  QtApplication();
  UseItalianTexts();
  QtHarness person(MainDialogEvents());
  StateStore& store = person.store();
  // act runs on the dialog the next click opens, while the click waits (and
  // the run, keeping the window alive, may let time pass before it opens).
  auto onNextDialog = [](std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
      if (!QApplication::activeModalWidget()) return;
      poll->stop();
      poll->deleteLater();
      act(QApplication::activeModalWidget());
    });
    poll->start(5);
  };
  auto chooseFile = [&](const fs::path& file, int button) {
    onNextDialog([=](QWidget* dialog) {
      EXPECT_EQ(qobject_cast<QFileDialog*>(dialog)->nameFilters(), QStringList("Playlist (*.lis)"));
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(file.string()));
      QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    person.Click(button);
  };
  EXPECT_EQ(store.ReadText(IDC_PLAYER_PATH, 8), "E:");
  person.Select({"C:\\", "Musica", "Rock"}, IDC_ADD_INCLUDED);
  person.Select({"C:\\", "Musica", "Blues"}, IDC_ADD_INCLUDED);
  person.Select({"C:\\", "Musica", "Rock", "Live"}, IDC_ADD_EXCLUDED);
  const std::string lists = "*C:\\Musica\\Blues\r\n*C:\\Musica\\Rock\r\n?C:\\Musica\\Rock\\Live\r\n";
  chooseFile(work / "scelta", IDC_SAVE_AS);
  EXPECT_EQ(temp.Read("c\\Lavoro\\scelta.lis"), lists);
  person.SelectEntry(IDC_INCLUDED_LIST, 0);
  person.Click(IDC_REMOVE_INCLUDED);
  chooseFile(work / "scelta.lis", IDC_OPEN_PLAYLIST);
  EXPECT_EQ(store.CountEntries(IDC_INCLUDED_LIST), 2);

  // Four songs: the three that fit and Enorme, which never does.
  EXPECT_EQ(store.ReadText(IDC_MAX_SONGS, 8), "4");
  person.Type(IDC_MAX_SONGS, "\b");
  EXPECT_FALSE(store.IsButtonEnabled(IDC_SHUFFLE_COPY));
  person.Type(IDC_MAX_SONGS, "4x");
  EXPECT_EQ(store.ReadText(IDC_MAX_SONGS, 8), "4");
  // The log the Windows program writes for this order.
  std::string expected = "PLAY-LIST\r\n\r\nInizio a cancellare il {TS}\r\nCancello    1  Vecchio.mp3 \r\n"
                         "Finito di cancellare il {TS}\r\n\r\nInizio a copiare i brani il {TS}\r\n\r\n";
  std::string entry, name;
  for (int i = 0, copied = 0; i < 4; ++i) {
    store.ReadEntry(IDC_ORDER_NO_REPEAT, i, entry);
    store.ReadEntry(IDC_SONG_NAMES, std::stoi(entry), name);
    expected += name == "Enorme" ? "   - Enorme (non copiato: spazio insufficiente)\r\n"
                                 : Format("%4d %s\r\n", ++copied, name.c_str());
  }
  expected += "\r\nFinito di copiare i brani il {TS}\r\nScritti in totale 1367 KBytes\r\n";
  QString message;
  onNextDialog([&](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    message = box->windowTitle() + "|" + box->text() + "|" + QString::number(box->buttons().size());
    QTest::mouseClick(box->buttons()[0], Qt::LeftButton);
  });
  person.Click(IDC_SHUFFLE_COPY);
  EXPECT_EQ(message.toStdString(), "A T T E N Z I O N E !|Copiati 3 brani su 4 richiesti.\n"
                                   "I brani non copiati sono elencati in \"Playlist.txt\".|1");
  EXPECT_FALSE(person.window().isVisible());
  fs::current_path(before);

  std::regex stamp("\\d\\d/\\d\\d/\\d{4} alle \\d\\d:\\d\\d:\\d\\d");
  EXPECT_EQ(std::regex_replace(temp.Read("c\\Lavoro\\Playlist.txt"), stamp, "{TS}"), expected);
  EXPECT_EQ(temp.Read("c\\Lavoro\\ultima.lis"), lists);
  std::set<std::string> onPlayer;
  for (const auto& file : fs::directory_iterator(e)) onPlayer.insert(file.path().filename());
  EXPECT_EQ(onPlayer, std::set<std::string>({"Crossroads.mp3", "Highway.mp3", "Hoochie.wma", "note.txt"}));
  for (const char* song : {"Blues\\Crossroads.mp3", "Blues\\Hoochie.wma", "Rock\\Highway.mp3"}) {
    EXPECT_EQ(temp.Read("e\\" + temp.Native(song).filename().string()), temp.Read(std::string("c\\Musica\\") + song));
  }
}

// Escape and the close box during a scan or a copy reach the program
// through the window kept alive: it asks, Yes stops, No goes on. What the
// run leaves is checked byte for byte.
using QtStop = DialogTest;
TEST_F(QtStop, EscapeAndTheCloseBoxAskDuringTheScanAndTheCopy) {
  const std::tuple<const char*, bool, bool, int> rows[] = {
      {"scan, Escape, Yes", false, false, ANSWER_YES}, {"scan, close box, No", false, true, ANSWER_NO},
      {"copy, close box, Yes", true, true, ANSWER_YES}, {"copy, Escape, No", true, false, ANSWER_NO}};
  for (const char* song : {"A\\a", "B\\b", "C\\c"}) temp.Write(std::string("C\\lib\\") + song + ".mp3", song + 2);
  const std::string stamp = std::string(kStamp) + "\r\n";
  QtApplication();
  for (const auto& [what, copy, closeBox, answer] : rows) {
    SCOPED_TRACE(what);
    fs::remove_all(temp.Native("E"));
    fs::create_directories(temp.Native("E"));
    fs::remove(temp.Native("C\\lavoro\\Playlist.txt"));
    shell.ended = false;
    QtHarness person(MainDialogEvents(), &shell);
    StateStore& store = person.store();
    auto scan = [&] {
      store.AddEntry(IDC_SELECTED_FOLDER, "C:\\lib");
      store.EnableButton(IDC_ADD_INCLUDED, true);
      person.Click(IDC_ADD_INCLUDED);
    };
    if (copy) scan();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));  // the window was kept alive just now
    QTimer::singleShot(0, [&, closeBox = closeBox] {
      closeBox ? (void)person.window().close() : QTest::keyClick(&person.window(), Qt::Key_Escape);
    });
    shell.answers = {answer};
    copy ? person.Click(IDC_SHUFFLE_COPY) : scan();
    std::string question = copy ? "Interrompere la copia?\nI brani già copiati restano nel lettore."
                                : "Interrompere la ricerca dei brani?";
    std::string closing = copy && answer == ANSWER_YES
                              ? std::string("+") + kWarning + "Copiati 0 brani su 3 richiesti: copia interrotta.|48" : "";
    EXPECT_EQ(Messages(), kWarning + question + "|36" + closing);
    EXPECT_TRUE(person.window().isVisible());  // the program, not the close box, ends the window
    EXPECT_EQ(store.ReadText(IDC_SONG_COUNT, 8), answer == ANSWER_YES && !copy ? "0" : "3");
    if (!copy) {
      EXPECT_EQ(store.ReadText(IDC_STATUS_LINE, 64) == "Ricerca dei brani interrotta", answer == ANSWER_YES);
      continue;
    }
    std::string log = "PLAY-LIST\r\n\r\nInizio a cancellare il " + stamp + "Finito di cancellare il " + stamp +
                      "\r\nInizio a copiare i brani il " + stamp + "\r\n";
    Strings files;
    if (answer == ANSWER_YES) log += "   - copia interrotta\r\n";
    for (int i = 0; answer == ANSWER_NO && i < 3; ++i) {
      std::string entry, name;
      store.ReadEntry(IDC_ORDER_NO_REPEAT, i, entry);
      store.ReadEntry(IDC_SONG_NAMES, std::stoi(entry), name);
      log += Format("%4d %s\r\n", i + 1, name.c_str());
      files.push_back(name + ".mp3");
      EXPECT_EQ(temp.Read("E\\" + name + ".mp3"), name);
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(Files(), files);
    EXPECT_EQ(temp.Read("C\\lavoro\\Playlist.txt"), log + "\r\nFinito di copiare i brani il " + stamp +
                                                        "Scritti in totale 0 KBytes\r\n");
    EXPECT_EQ(temp.Read("C\\lavoro\\ultima.lis"), "*C:\\lib\r\n");
    EXPECT_TRUE(shell.ended);
  }
}

// The window on a real X server (tests/CMakeLists.txt runs this test alone
// under Xvfb): through the scan and the copy of 20,000 small songs onto a
// tmpfs player it answers a window manager's pings within 1 s and repaints
// what another window uncovered, and the copy is whole.
TEST(QtAlive, AnswersPingsAndRepaintsThroughALongRun) {
  QtApplication();
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server";
  constexpr int kSongs = 20000;
  TempFolder temp;
  fs::path e = temp.Native("e"), work = temp.Native("c\\Lavoro");
  for (const fs::path& folder : {e, work}) fs::create_directories(folder);
  for (int k = 0; k < kSongs; ++k) temp.Write(Format("c\\Musica\\%03d\\%05d.mp3", k / 100, k), std::string(4096, 'a' + k % 26));
  if (mount("tmpfs", e.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=200m") != 0) GTEST_SKIP() << "mounting needs root";
  std::shared_ptr<void> unmount(nullptr, [&](void*) { umount(e.c_str()); });
  setenv("MESCOLA_DRIVES", ("C=fixed:" + temp.Native("c").string() + ";E=removable:" + e.string()).c_str(), 1);
  fs::path before = fs::current_path();
  fs::current_path(work);
  UseItalianTexts();
  QtHarness person(MainDialogEvents());
  std::atomic<bool> done = false;
  WindowWatch watch;
  std::thread watcher([&, window = person.window().winId()] { watch = WatchWindow(window, done); });
  person.Select({"C:\\", "Musica"}, IDC_ADD_INCLUDED);
  person.Click(IDC_SHUFFLE_COPY);
  done = true;
  watcher.join();
  fs::current_path(before);
  EXPECT_GE(watch.pings, 20) << "a run this short proves nothing";
  EXPECT_EQ(watch.unanswered, 0) << "of " << watch.pings << " pings";
  EXPECT_TRUE(watch.repainted);
  EXPECT_EQ(std::distance(fs::directory_iterator(e), {}), kSongs);
}
