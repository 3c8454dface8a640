#include "fake_platform.h"
#include "store/table_store.h"
#include "store_harness.h"

namespace {

class TableHarness;
TableHarness* current = nullptr;

class TableHarness : public StoreHarness {
 public:
  TableHarness() { current = this; }
  ~TableHarness() override { current = nullptr; }
  StateStore& store() override { return table_; }
  void Type(int id, const std::string& keys) override { table_.UserType(id, keys); }
  void Click(int id) override { table_.UserClick(id); }
  void SelectEntry(int id, int index) override { table_.UserSelectEntry(id, index); }

  static int Command(StateStore&, int id, int code) {
    if (current) current->Received(id, code);
    return 0;
  }

 private:
  static constexpr DialogEvents kEvents{nullptr, &TableHarness::Command, nullptr, nullptr, nullptr};
  FakeShell shell_;
  TableStore table_{shell_, &kEvents};
};

std::unique_ptr<StoreHarness> MakeTable() { return std::make_unique<TableHarness>(); }

}  // namespace

std::vector<Realisation>& Realisations() {
  static std::vector<Realisation> list{{"Table", &MakeTable}};
  return list;
}
