// The Linux program's window on Qt's offscreen platform: a realisation of
// the store, where a person types, clicks and picks entries on its real
// widgets; and the road of a run through them.
#include <sys/mount.h>

#include <QAccessible>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <cstdlib>
#include <regex>
#include <set>
#include <thread>

#include "app/dispatch.h"
#include "dialog_fixture.h"
#include "fake_platform.h"
#include "store/controls.h"
#include "store/text.h"
#include "store_harness.h"
#include "ui/qt/drive_map_check.h"
#include "ui/qt/main_window.h"

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

// The window the user meets, every button enabled and both radio groups at
// their start-up choice: what the keyboard and a screen reader reach.
class QtWindowTest : public ::testing::Test {
 protected:
  QtWindowTest() {
    for (const ControlInfo* c = kControls; c != kControls + kControlCount; ++c) {
      if (c->kind == ControlKind::PushButton) person.store().EnableButton(c->id, true);
    }
    for (int id : {IDC_REPEAT_FORBIDDEN, IDC_CLEAR_BEFORE}) person.store().CheckButton(id);
    person.window().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&person.window()));
  }
  QtHarness person;
};

static std::string Focused() {
  return QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "(none)";
}

// From the tree, the one the window starts on, Tab visits every control
// the template makes a tab stop, in its order; the arrows move and check
// within a radio group.
TEST_F(QtWindowTest, TheKeyboardReachesEveryControlInTheTemplatesOrder) {
  const std::pair<Qt::Key, int> steps[] = {
      {Qt::Key_Tab, IDC_INCLUDED_LIST}, {Qt::Key_Tab, IDC_EXCLUDED_LIST}, {Qt::Key_Tab, IDC_PLAYER_PATH},
      {Qt::Key_Tab, IDC_MAX_SONGS}, {Qt::Key_Tab, IDC_REPEAT_FORBIDDEN}, {Qt::Key_Down, IDC_REPEAT_ALLOWED},
      {Qt::Key_Tab, IDC_CLEAR_BEFORE}, {Qt::Key_Down, IDC_KEEP_EXISTING}, {Qt::Key_Tab, IDC_ADD_INCLUDED},
      {Qt::Key_Tab, IDC_REMOVE_INCLUDED}, {Qt::Key_Tab, IDC_CHOOSE_PLAYER}, {Qt::Key_Tab, IDC_ADD_EXCLUDED},
      {Qt::Key_Tab, IDC_REMOVE_EXCLUDED}, {Qt::Key_Tab, IDC_FINISH}, {Qt::Key_Tab, IDC_OPEN_PLAYLIST},
      {Qt::Key_Tab, IDC_SAVE}, {Qt::Key_Tab, IDC_SAVE_AS}, {Qt::Key_Tab, IDC_SHUFFLE_COPY},
      {Qt::Key_Tab, IDC_FOLDER_TREE}, {Qt::Key_Backtab, IDC_SHUFFLE_COPY}};
  EXPECT_EQ(Focused(), "IDC_FOLDER_TREE");
  for (auto [key, id] : steps) {
    SCOPED_TRACE(std::string(key == Qt::Key_Down ? "Down to " : "Tab to ") + FindControl(id)->name);
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(Focused(), FindControl(id)->name);
  }
  EXPECT_TRUE(person.store().IsButtonChecked(IDC_REPEAT_ALLOWED));
  EXPECT_TRUE(person.store().IsButtonChecked(IDC_KEEP_EXISTING));
}

// A screen reader names each control by the text that labels it on screen:
// its label (which is also its buddy), its group box, or its own text.
TEST_F(QtWindowTest, EveryControlThatTakesTheFocusIsNamedByItsLabel) {
  struct Row {
    int id;
    const char* name;
    const char* within;  // the group box that holds it, if any
  } rows[] = {{IDC_FOLDER_TREE, "Risorse del computer", nullptr},
              {IDC_INCLUDED_LIST, "Cartelle incluse", nullptr},
              {IDC_EXCLUDED_LIST, "Cartelle da ecludere", nullptr},
              {IDC_SELECTED_FOLDER, "Cartella selezionata:", nullptr},
              {IDC_PLAYER_PATH, "Lettore MP3:", "Lettore MP3:"},
              {IDC_MAX_SONGS, "Numero max di brani", "Numero max di brani"},
              {IDC_REPEAT_FORBIDDEN, "Vietate (tombola)", "Casualità - ripetizioni"},
              {IDC_REPEAT_ALLOWED, "Permesse (roulette)", "Casualità - ripetizioni"},
              {IDC_CLEAR_BEFORE, "Cancella prima di scrivere", "Brani presenti"},
              {IDC_KEEP_EXISTING, "Non cancellare", "Brani presenti"}};
  std::set<QWidget*> named;
  for (const Row& row : rows) {
    SCOPED_TRACE(FindControl(row.id)->name);
    QWidget* widget = person.Widget<QWidget>(row.id);
    named.insert(widget);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).toStdString(), row.name);
    if (row.within) {
      EXPECT_EQ(qobject_cast<QGroupBox*>(widget->parentWidget())->title().toStdString(), row.within);
      continue;
    }
    QLabel* label = nullptr;
    for (QLabel* each : person.window().findChildren<QLabel*>()) label = each->text() == row.name ? each : label;
    ASSERT_TRUE(label);
    EXPECT_EQ(label->buddy(), widget);
  }
  // The push buttons by their own texts; nothing that takes the focus is left unnamed.
  for (QWidget* widget : person.window().findChildren<QWidget*>()) {
    if (!(widget->focusPolicy() & Qt::TabFocus) || widget->parentWidget()->inherits("QAbstractScrollArea")) continue;
    SCOPED_TRACE(widget->objectName().toStdString());
    auto* button = qobject_cast<QPushButton*>(widget);
    EXPECT_TRUE(named.count(widget) || button);
    if (button) EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), button->text());
  }
}

// Within one parent, in the window and in each group box: no visible child
// overlaps another or leaves its parent, every text fits its control, and
// the tree and the lists keep their frame. At the window's first size, at
// its minimum, and at its minimum with a font twice as large.
TEST_F(QtWindowTest, NothingOverlapsAndEveryTextFits) {
  MainWindow& window = person.window();
  struct Row {
    const char* name;
    bool minimum;
    double font;
  } rows[] = {{"first size", false, 1}, {"minimum size", true, 1}, {"minimum size, font twice as large", true, 2}};
  std::function<void(QWidget&)> check = [&](QWidget& parent) {
    std::vector<QWidget*> shown;
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->isVisible() && !child->isWindow()) shown.push_back(child);
    }
    for (QWidget* child : shown) {
      SCOPED_TRACE(child->objectName().toStdString() + " " + child->metaObject()->className());
      EXPECT_TRUE(parent.rect().contains(child->geometry()));
      for (QWidget* other : shown) EXPECT_TRUE(other == child || !other->geometry().intersects(child->geometry()));
      QFontMetrics metrics(child->font());
      if (auto* label = qobject_cast<QLabel*>(child); label && !label->wordWrap()) {
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width());
      } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
        int indicator = qobject_cast<QRadioButton*>(button) ? window.style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) : 0;
        EXPECT_LE(metrics.horizontalAdvance(button->text()) + indicator, button->width());
      } else if (auto* box = qobject_cast<QGroupBox*>(child)) {
        EXPECT_LE(metrics.horizontalAdvance(box->title()), box->width());
        check(*box);
      } else if (auto* framed = qobject_cast<QFrame*>(child); framed && framed->inherits("QAbstractItemView")) {
        EXPECT_NE(framed->frameShape(), QFrame::NoFrame);
        EXPECT_GT(framed->frameWidth(), 0);
      }
    }
  };
  // The minimum fits a 1024 x 600 screen, with room for the title bar.
  if (window.devicePixelRatio() == 1) EXPECT_TRUE(QRect(0, 0, 1024, 560).contains(QRect(QPoint(), window.minimumSize())));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QFont font = window.font();
    font.setPointSizeF(font.pointSizeF() * row.font);
    window.setFont(font);
    window.layout()->activate();
    window.resize(row.minimum ? window.minimumSize() : window.size());
    QApplication::processEvents();
    check(window);
  }
}

// The road of a run by the keyboard alone: a library and a player in real
// folders, lettered by the fake platform, the player a 4 MiB tmpfs where it
// can be mounted (as root), else a folder whose free space the platform
// tells as the tmpfs would. What the program leaves on disk is checked byte
// for byte.
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
  FakePlatform platform;
  PlatformScope scope(platform);
  bool mounted = mount("tmpfs", e.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4m") == 0;
  std::shared_ptr<void> unmount(nullptr, [&](void*) { if (mounted) umount(e.c_str()); });
  if (!mounted) platform.freeBytes['E'] = (1024 - 269 - 1) * 4096.0;  // 4 MiB less the two files' pages
  temp.Write("e\\Vecchio.mp3", std::string(1100000, 'v'));
  temp.Write("e\\note.txt", "note");
  platform.MapDrive('C', DRIVE_KIND_FIXED, temp.path + "\\c");
  platform.MapDrive('E', DRIVE_KIND_REMOVABLE, temp.path + "\\e");
  platform.workingDirectory = "C:\\Lavoro";

  QtApplication();
  UseItalianTexts();
  QtHarness person(MainDialogEvents());
  person.window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&person.window()));
  StateStore& store = person.store();
  // The keyboard alone: Tab to a control, the arrows, + and Space.
  auto key = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
  auto focusOn = [&](int id) {
    // Offscreen, nothing gives the window back its activation when a dialog closes.
    person.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&person.window()));
    for (int i = 0; i < 40 && Focused() != FindControl(id)->name; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), FindControl(id)->name);
  };
  auto press = [&](int button) {
    focusOn(button);
    key(Qt::Key_Space);
  };
  auto select = [&](std::initializer_list<const char*> path, int button) {  // opening each node
    auto* tree = person.Widget<QTreeWidget>(IDC_FOLDER_TREE);
    focusOn(IDC_FOLDER_TREE);
    key(Qt::Key_Home);
    for (const char* name : path) {
      for (int i = 0; i < 50 && !tree->currentItem()->text(0).startsWith(name); ++i) key(Qt::Key_Down);
      key(Qt::Key_Space);
      key(Qt::Key_Plus);
    }
    EXPECT_TRUE(tree->currentItem()->text(0).startsWith(*std::rbegin(path)));
    press(button);
  };
  // act runs on the dialog the next key opens, while the key waits (and
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
    press(button);
  };
  EXPECT_EQ(store.ReadText(IDC_PLAYER_PATH, 8), "E:");
  select({"C:\\", "Musica", "Rock"}, IDC_ADD_INCLUDED);
  select({"C:\\", "Musica", "Blues"}, IDC_ADD_INCLUDED);
  select({"C:\\", "Musica", "Rock", "Live"}, IDC_ADD_EXCLUDED);
  const std::string lists = "*C:\\Musica\\Blues\r\n*C:\\Musica\\Rock\r\n?C:\\Musica\\Rock\\Live\r\n";
  chooseFile(work / "scelta", IDC_SAVE_AS);
  EXPECT_EQ(temp.Read("c\\Lavoro\\scelta.lis"), lists);
  focusOn(IDC_INCLUDED_LIST);
  key(Qt::Key_Home);
  key(Qt::Key_Space);
  press(IDC_REMOVE_INCLUDED);
  chooseFile(work / "scelta.lis", IDC_OPEN_PLAYLIST);
  EXPECT_EQ(store.CountEntries(IDC_INCLUDED_LIST), 2);

  // Four songs: the three that fit and Enorme, which never does.
  EXPECT_EQ(store.ReadText(IDC_MAX_SONGS, 8), "4");
  focusOn(IDC_MAX_SONGS);
  key(Qt::Key_End);
  key(Qt::Key_Backspace);
  EXPECT_FALSE(store.IsButtonEnabled(IDC_SHUFFLE_COPY));
  QTest::keyClicks(QApplication::focusWidget(), "4x");
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
    EXPECT_FALSE(box->windowIcon().isNull());
    QTest::keyClick(box, Qt::Key_Return);
  });
  press(IDC_SHUFFLE_COPY);
  EXPECT_EQ(message.toStdString(), "A T T E N Z I O N E !|Copiati 3 brani su 4 richiesti.\n"
                                   "I brani non copiati sono elencati in \"Playlist.txt\".|1");
  EXPECT_FALSE(person.window().isVisible());

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

// A MESCOLA_DRIVES that cannot be read stops the program at its start: the
// item is named in a message box and on standard error, and it exits with 2.
TEST(QtStart, AnUnreadableDriveMapStopsTheProgram) {
  const std::pair<const char*, const char*> rows[] = {{nullptr, nullptr}, {"C=fixed:/", nullptr}, {"", ""},
                                                      {"C=fixed:/;E=floppy:/tmp", "E=floppy:/tmp"}};
  const char* before = std::getenv("MESCOLA_DRIVES");
  std::string kept = before ? before : "";
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
  before ? setenv("MESCOLA_DRIVES", kept.c_str(), 1) : unsetenv("MESCOLA_DRIVES");
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
