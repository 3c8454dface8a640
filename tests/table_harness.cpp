#include "app/dispatch.h"
#include "app/table_store.h"
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

  static int Proc(StateStore&, unsigned message, std::uintptr_t wparam, std::intptr_t) {
    if (message == MSG_COMMAND && current) {
      current->Received(static_cast<int>(wparam & 0xFFFF), static_cast<int>(wparam >> 16));
    }
    return 0;
  }

 private:
  TableStore table_{&TableHarness::Proc};
};

std::unique_ptr<StoreHarness> MakeTable() { return std::make_unique<TableHarness>(); }

}  // namespace

std::vector<Realisation>& Realisations() {
  static std::vector<Realisation> list{{"Table", &MakeTable}};
  return list;
}
