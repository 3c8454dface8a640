// The Linux program's window for the benchmarks, on Qt's offscreen
// platform unless the environment names another.
#include <QApplication>

#include "../quiet_shell.h"
#include "../system.h"
#include "app/dispatch.h"
#include "ui/qt/main_window.h"

namespace {

// The store of a window that lives as long as the store; not kept alive,
// its shell is the quiet one, of which a rebuild asks nothing else.
class WindowStore : public StateStore {
 public:
  // The window painted once, as a user first sees it before any rebuild.
  explicit WindowStore(bool keptAlive) : keptAlive_(keptAlive) {
    window_.Start();
    QCoreApplication::processEvents();
  }
  int AddEntry(int id, const std::string& text) override { return dlg_.AddEntry(id, text); }
  int InsertEntry(int id, int index, const std::string& text) override {
    return dlg_.InsertEntry(id, index, text);
  }
  int DeleteEntry(int id, int index) override { return dlg_.DeleteEntry(id, index); }
  void ClearList(int id) override { dlg_.ClearList(id); }
  int SelectedEntry(int id) override { return dlg_.SelectedEntry(id); }
  int ReadEntry(int id, int index, std::string& text) override { return dlg_.ReadEntry(id, index, text); }
  int CountEntries(int id) override { return dlg_.CountEntries(id); }
  int FindExact(int id, const std::string& text) override { return dlg_.FindExact(id, text); }
  int AppendEntries(int id, std::string_view texts) override { return dlg_.AppendEntries(id, texts); }
  void PrepareList(int id, int entries, std::size_t textBytes) override {
    dlg_.PrepareList(id, entries, textBytes);
  }
  int ReadEntries(int id, int first, int count, std::string& texts) override {
    return dlg_.ReadEntries(id, first, count, texts);
  }
  void SetText(int id, const std::string& text) override { dlg_.SetText(id, text); }
  std::string ReadText(int id, int limit) override { return dlg_.ReadText(id, limit); }
  void LimitTyping(int id, int characters) override { dlg_.LimitTyping(id, characters); }
  void EnableButton(int id, bool enabled) override { dlg_.EnableButton(id, enabled); }
  bool IsButtonEnabled(int id) override { return dlg_.IsButtonEnabled(id); }
  void CheckButton(int id) override { dlg_.CheckButton(id); }
  bool IsButtonChecked(int id) override { return dlg_.IsButtonChecked(id); }
  void Repaint(int id) override { dlg_.Repaint(id); }
  void ShowProgressBar(int id, int position, int range) override { dlg_.ShowProgressBar(id, position, range); }
  void HideProgressBar(int id) override { dlg_.HideProgressBar(id); }
  TreeNode InsertNode(TreeNode parent, const std::string& text, int image, int selectedImage,
                      bool sorted) override {
    return dlg_.InsertNode(parent, text, image, selectedImage, sorted);
  }
  void SetNodeData(TreeNode node, TreeNode data) override { dlg_.SetNodeData(node, data); }
  TreeNode NodeData(TreeNode node) override { return dlg_.NodeData(node); }
  std::string NodeText(TreeNode node, int limit) override { return dlg_.NodeText(node, limit); }
  TreeNode NodeParent(TreeNode node) override { return dlg_.NodeParent(node); }
  int NodeChildCount(TreeNode node) override { return dlg_.NodeChildCount(node); }
  void SetUpTreeImages() override { dlg_.SetUpTreeImages(); }
  Shell& Window() override { return keptAlive_ ? dlg_.Window() : Quiet(); }

 private:
  bool keptAlive_;
  MainWindow window_{MainDialogEvents()};
  StateStore& dlg_ = window_.Store();
};

}  // namespace

namespace {

std::unique_ptr<StateStore> OpenWindow(bool keptAlive) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "mescola_bench";
  static char* argv[] = {name, nullptr};
  // Kept to the end of the process: Qt's own objects go before it.
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
  return std::make_unique<WindowStore>(keptAlive);
}

}  // namespace

std::unique_ptr<StateStore> OpenMainDialog() { return OpenWindow(true); }

std::unique_ptr<StateStore> OpenMainDialogNotKeptAlive() { return OpenWindow(false); }

const char* WindowName() { return "Qt window"; }

const char* WindowTarget() { return "ratio <= 1.2"; }

const char* WindowRedrawTarget() { return "<= 3"; }

std::string WindowMemoryTarget(double) { return "<= 100 MB"; }
