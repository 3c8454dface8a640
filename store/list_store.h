// The list boxes of a store that keeps them in memory (the table store, the
// Qt window): every list answer is given here, once, from the controls'
// table; a store with a view of its lists only shows what changed.
#pragma once

#include <string>
#include <vector>

#include "list_box.h"
#include "state_store.h"

class ListStore : public StateStore {
 public:
  int AddEntry(int id, const std::string& text) override;
  int InsertEntry(int id, int index, const std::string& text) override;
  int DeleteEntry(int id, int index) override;
  void ClearList(int id) override;
  int SelectedEntry(int id) override;
  int ReadEntry(int id, int index, std::string& text) override;
  int CountEntries(int id) override;
  int FindExact(int id, const std::string& text) override;
  int AppendEntries(int id, std::string_view texts) override;
  int ReadEntries(int id, int first, int count, std::string& texts) override;
  void PrepareList(int id, int entries, std::size_t textBytes) override;

 protected:
  ListStore();
  // A person picked entry index: true when the list tells the program so
  // (it holds the entry and its control is not silent).
  bool SelectByUser(int id, int index);
  // What a view shows of its list: an entry that went in at index, the
  // entries appended from first on, one that went out (the selection
  // already moved), every entry gone.
  virtual void ShowInserted(int id, int index, const std::string& text);
  virtual void ShowAppended(int id, int first);
  virtual void ShowDeleted(int id, int index);
  virtual void ShowCleared(int id);

 private:
  ListBox* Find(int id);
  int Inserted(int id, int index, const std::string& text);

  std::vector<ListBox> lists_;  // by the control's place in the table
};
