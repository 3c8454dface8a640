// The Linux program's window on Qt's offscreen platform: a realisation of
// the store, where a person types, clicks and picks entries on its real
// widgets; and the road of a run through them.
#include <sys/mount.h>

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <thread>

#include "dialog_fixture.h"
#include "store_harness.h"
#include "ui/qt/drive_map_check.h"
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
class QtHarness : public WindowHarness {
 public:
  // answers, when given, answers the program's questions in place of the window's boxes.
  explicit QtHarness(const DialogEvents& events = kEvents, Shell* answers = nullptr)
      : window_(events, &events == &kEvents ? &shell_ : answers) {
    events.start ? window_.Start() : window_.show();
    Activate();
  }
  // Offscreen, nothing gives the window back its activation when a dialog closes.
  void Activate() {
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
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
  void Key(char key) override {
    const std::map<char, Qt::Key> keys{{'T', Qt::Key_Tab}, {'B', Qt::Key_Backtab}, {'D', Qt::Key_Down},
                                       {'H', Qt::Key_Home}, {'+', Qt::Key_Plus}, {' ', Qt::Key_Space}};
    if (!window_.isActiveWindow()) Activate();
    QTest::keyClick(QApplication::focusWidget(), keys.at(key));
  }
  void Press(int button) {
    ASSERT_TRUE(TabTo(button));
    Key(' ');
  }
  // By the keyboard alone: selects the folder in the tree, opening each node
  // on the way, and presses the button.
  void Select(std::initializer_list<const char*> path, int button) {
    auto* tree = Widget<QTreeWidget>(IDC_FOLDER_TREE);
    ASSERT_TRUE(TabTo(IDC_FOLDER_TREE));
    Key('H');
    for (const char* name : path) {
      for (int i = 0; i < 50 && !tree->currentItem()->text(0).startsWith(name); ++i) Key('D');
      Key(' ');
      Key('+');
    }
    ASSERT_TRUE(tree->currentItem()->text(0).startsWith(*std::rbegin(path)));
    Press(button);
  }
  void KeyLater(char key) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(60));  // the window was kept alive just now
    QTimer::singleShot(0, [this, key] { key == 'X' ? (void)window_.close() : QTest::keyClick(&window_, Qt::Key_Escape); });
  }
  int Focused() override {
    for (const ControlInfo* c = kControls; c != kControls + kControlCount; ++c) {
      if (QApplication::focusWidget() && QApplication::focusWidget()->objectName() == c->name) return c->id;
    }
    return 0;
  }
  bool Alive() override { return window_.isVisible(); }
  std::string FocusedName() override {
    return QAccessible::queryAccessibleInterface(QApplication::focusWidget())->text(QAccessible::Name).toStdString();
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
  Realisations().push_back({"QtWindow", [](const DialogEvents& events, Shell* answers) {
                              return std::unique_ptr<StoreHarness>(new QtHarness(events, answers));
                            }, true});
  return true;
}();


// Within one parent, in the window and in each group box: no visible child
// overlaps another or leaves its parent, every text fits its control, and
// the tree and the lists keep their frame. At the window's first size, at
// its minimum, and at its minimum with a font twice as large.
TEST(QtWindowTest, NothingOverlapsAndEveryTextFits) {
  QtHarness person;
  MainWindow& window = person.window();
  const std::tuple<const char*, bool, double> rows[] = {
      {"first size", false, 1}, {"minimum size", true, 1}, {"minimum size, font twice as large", true, 2}};
  std::function<void(QWidget&)> check = [&](QWidget& parent) {
    std::vector<QWidget*> shown;
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->isVisible() && !child->isWindow()) shown.push_back(child);
    }
    for (QWidget* child : shown) {
      SCOPED_TRACE(child->objectName().toStdString() + " " + child->metaObject()->className());
      EXPECT_TRUE(parent.rect().contains(child->geometry()));
      for (QWidget* other : shown) EXPECT_TRUE(other == child || !other->geometry().intersects(child->geometry()));
      // A label's, a button's or a group box's text (a wrapping label's may take several lines).
      QString text = child->property(qobject_cast<QGroupBox*>(child) ? "title" : "text").toString();
      int indicator = qobject_cast<QRadioButton*>(child) ? window.style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) : 0;
      if (!child->property("wordWrap").toBool() && !qobject_cast<QLineEdit*>(child)) {
        EXPECT_LE(QFontMetrics(child->font()).horizontalAdvance(text) + indicator, child->contentsRect().width());
      }
      if (qobject_cast<QGroupBox*>(child)) check(*child);
      if (auto* framed = qobject_cast<QAbstractItemView*>(child)) EXPECT_GT(framed->frameWidth(), 0);
    }
  };
  // The minimum fits a 1024 x 600 screen, with room for the title bar.
  if (window.devicePixelRatio() == 1) EXPECT_TRUE(QRect(0, 0, 1024, 560).contains(QRect(QPoint(), window.minimumSize())));
  for (const auto& [name, minimum, scale] : rows) {
    SCOPED_TRACE(name);
    QFont font = window.font();
    font.setPointSizeF(font.pointSizeF() * scale);
    window.setFont(font);
    window.layout()->activate();
    window.resize(minimum ? window.minimumSize() : window.size());
    QApplication::processEvents();
    check(window);
  }
}

// The road of a run by the keyboard alone: a library and a player in real
// folders, lettered by the fake platform, the player a 4 MiB tmpfs where it
// can be mounted (as root), else a folder whose free space the platform
// tells as the tmpfs would. What the program leaves on disk is checked byte
// for byte.
using QtRoad = DialogTest;
TEST_F(QtRoad, ListsPlaylistNumberAndCopyThroughTheWindow) {
  // Enorme.wav is larger than the whole player; Live is excluded and Jazz never included.
  for (auto [song, size] : {std::pair{"Blues\\Crossroads.mp3", 400000}, {"Blues\\Hoochie.wma", 300000},
                            {"Rock\\Highway.mp3", 700000}, {"Rock\\Enorme.wav", 5000000},
                            {"Rock\\Live\\Highway.mp3", 650000}, {"Jazz\\So What.MP3", 600000}}) {
    temp.Write("C\\Musica\\" + std::string(song), std::string(std::size_t(size), 's'));
  }
  fs::path e = temp.Native("E");
  bool mounted = mount("tmpfs", e.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4m") == 0;
  std::shared_ptr<void> unmount(nullptr, [&](void*) { if (mounted) umount(e.c_str()); });
  if (!mounted) platform.freeBytes['E'] = (1024 - 269 - 1) * 4096.0;  // 4 MiB less the two files' pages
  temp.Write("E\\Vecchio.mp3", std::string(1100000, 'v'));
  temp.Write("E\\note.txt", "note");
  QtApplication();
  UseItalianTexts();
  QtHarness person(MainDialogEvents());
  StateStore& store = person.store();
  // The dialogs that open while the key that opened them waits (the run,
  // keeping the window alive, may let time pass first): a file dialog is
  // given the file, a message box is recorded and closed with Enter.
  QString file, message;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (auto* files = qobject_cast<QFileDialog*>(dialog); files && files->isVisible()) {
      EXPECT_EQ(files->nameFilters(), QStringList("Playlist (*.lis)"));
      files->findChild<QLineEdit*>("fileNameEdit")->setText(file);
      QTest::keyClick(files->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    } else if (auto* box = qobject_cast<QMessageBox*>(dialog); box && box->isVisible()) {
      message += box->windowTitle() + "|" + box->text() + "|" + QString::number(box->buttons().size());
      EXPECT_FALSE(box->windowIcon().isNull());
      QTest::keyClick(box, Qt::Key_Return);
    }
  });
  answer.start(5);
  // The file typed as the user would, by its native path; the program keeps it in its own drive form.
  auto chooseFile = [&](const char* name, int button) {
    file = QString::fromStdString(temp.Native(name).string());
    person.Press(button);
    EXPECT_EQ(store.ReadText(IDC_PLAYLIST_PATH, 260), "C:\\lavoro\\scelta.lis");
  };
  auto shown = [&](int id) {
    Strings entries;
    auto* view = person.Widget<QListWidget>(id);
    for (int i = 0; i < view->count(); ++i) entries.push_back(view->item(i)->text().toStdString());
    return entries;
  };
  person.Select({"C:\\", "Musica", "Rock"}, IDC_ADD_INCLUDED);
  person.Select({"C:\\", "Musica", "Blues"}, IDC_ADD_INCLUDED);
  person.Select({"C:\\", "Musica", "Rock", "Live"}, IDC_ADD_EXCLUDED);
  const std::string lists = "*C:\\Musica\\Blues\r\n*C:\\Musica\\Rock\r\n?C:\\Musica\\Rock\\Live\r\n";
  chooseFile("C\\lavoro\\scelta", IDC_SAVE_AS);
  EXPECT_EQ(temp.Read("C\\lavoro\\scelta.lis"), lists);
  ASSERT_TRUE(person.TabTo(IDC_INCLUDED_LIST));
  person.Key('H');
  person.Key(' ');
  person.Press(IDC_REMOVE_INCLUDED);
  EXPECT_EQ(shown(IDC_INCLUDED_LIST), Strings{"C:\\Musica\\Rock"});  // the deleted row is gone from the screen
  chooseFile("C\\lavoro\\scelta.lis", IDC_OPEN_PLAYLIST);
  EXPECT_EQ(shown(IDC_INCLUDED_LIST), Strings({"C:\\Musica\\Blues", "C:\\Musica\\Rock"}));

  // Four songs: the three that fit and Enorme, which never does.
  ASSERT_TRUE(person.TabTo(IDC_MAX_SONGS));
  person.Type(IDC_MAX_SONGS, "\b4x");
  person.Press(IDC_SHUFFLE_COPY);
  EXPECT_EQ(message.toStdString(), "A T T E N Z I O N E !|Copiati 3 brani su 4 richiesti.\n"
                                   "I brani non copiati sono elencati in \"Playlist.txt\".|1");
  EXPECT_FALSE(person.window().isVisible());
  // What the log says of each song is checked over both windows and by the copy's own tests.
  EXPECT_NE(temp.Read("C\\lavoro\\Playlist.txt").find("   - Enorme (non copiato: spazio insufficiente)\r\n"), std::string::npos);
  EXPECT_EQ(temp.Read("C\\lavoro\\ultima.lis"), lists);
  EXPECT_EQ(Files(), Strings({"Crossroads.mp3", "Highway.mp3", "Hoochie.wma", "note.txt"}));
}

// A MESCOLA_DRIVES that cannot be read stops the program at its start: the
// item is named in a message box and on standard error, and it exits with 2.
TEST(QtStart, AnUnreadableDriveMapStopsTheProgram) {
  // Unset last, as the other tests expect it.
  const std::pair<const char*, const char*> rows[] = {{"C=fixed:/", nullptr}, {"", ""},
                                                      {"C=fixed:/;E=floppy:/tmp", "E=floppy:/tmp"}, {nullptr, nullptr}};
  for (auto [text, item] : rows) {
    SCOPED_TRACE(text ? text : "unset");
    text ? setenv("MESCOLA_DRIVES", text, 1) : unsetenv("MESCOLA_DRIVES");
    FakeShell shell;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RefuseUnreadableDriveMap(shell), item ? 2 : 0);
    std::string line = item ? "MESCOLA_DRIVES non valido: " + std::string(item) : "";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), item ? line + "\n" : "");
    EXPECT_EQ(shell.messages, item ? std::vector<std::string>{"ERRORE|" + line + "|0"} : std::vector<std::string>());
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
