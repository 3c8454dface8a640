// The Linux program's window as a store realisation, on Qt's offscreen
// platform: a person types, clicks and picks entries on its real widgets.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "fake_platform.h"
#include "qt_application.h"
#include "store/controls.h"
#include "store_harness.h"
#include "ui/qt/main_window.h"

namespace {

class QtHarness : public StoreHarness {
 public:
  QtHarness() {
    window_.show();
    (void)QTest::qWaitForWindowExposed(&window_);
  }
  StateStore& store() override { return window_.Store(); }
  void Type(int id, const std::string& keys) override {
    auto* edit = Widget<QLineEdit>(id);
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, QString::fromUtf8(keys.c_str()));
  }
  void Click(int id) override { QTest::mouseClick(Widget<QAbstractButton>(id), Qt::LeftButton); }
  void SelectEntry(int id, int index) override {
    auto* list = Widget<QListWidget>(id);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(index)).center());
  }

 private:
  template <typename W>
  W* Widget(int id) { return window_.findChild<W*>(FindControl(id)->name); }

  QApplication& application_ = QtApplication();
  FakeShell shell_;
  MainWindow window_{kEvents, &shell_};
};

const bool registered = [] {
  Realisations().push_back({"QtWindow", [] { return std::unique_ptr<StoreHarness>(new QtHarness()); }});
  return true;
}();

}  // namespace
