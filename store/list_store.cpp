#include "list_store.h"

#include "controls.h"

ListStore::ListStore() : lists_(kControlCount) {}

ListBox* ListStore::Find(int id) {
  int index = ControlIndex(id);
  return index >= 0 && kControls[index].IsList() ? &lists_[static_cast<std::size_t>(index)] : nullptr;
}

int ListStore::Inserted(int id, int index, const std::string& text) {
  if (index != NO_ENTRY) ShowInserted(id, index, text);
  return index;
}

int ListStore::AddEntry(int id, const std::string& text) {
  ListBox* list = Find(id);
  bool sorted = list && FindControl(id)->kind == ControlKind::SortedList;
  return list ? Inserted(id, list->Add(text, sorted), text) : NO_ENTRY;
}

int ListStore::InsertEntry(int id, int index, const std::string& text) {
  ListBox* list = Find(id);
  return list ? Inserted(id, list->Insert(index, text), text) : NO_ENTRY;
}

int ListStore::DeleteEntry(int id, int index) {
  ListBox* list = Find(id);
  int remaining = list ? list->Delete(index) : NO_ENTRY;
  if (remaining != NO_ENTRY) ShowDeleted(id, index);
  return remaining;
}

void ListStore::ClearList(int id) {
  if (ListBox* list = Find(id)) {
    list->Clear();
    ShowCleared(id);
  }
}

int ListStore::SelectedEntry(int id) {
  ListBox* list = Find(id);
  return list ? list->Selected() : NO_ENTRY;
}

int ListStore::ReadEntry(int id, int index, std::string& text) {
  ListBox* list = Find(id);
  if (list) return list->Read(index, text);
  text.clear();
  return NO_ENTRY;
}

int ListStore::CountEntries(int id) {
  ListBox* list = Find(id);
  return list ? list->Count() : 0;
}

int ListStore::FindExact(int id, const std::string& text) {
  ListBox* list = Find(id);
  return list ? list->Find(text) : NO_ENTRY;
}

int ListStore::AppendEntries(int id, std::string_view texts) {
  ListBox* list = Find(id);
  if (!list) return NO_ENTRY;
  int first = list->Count();
  int added = list->Append(texts);
  if (added > 0) ShowAppended(id, first);
  return added;
}

int ListStore::ReadEntries(int id, int first, int count, std::string& texts) {
  ListBox* list = Find(id);
  if (list) return list->ReadRange(first, count, texts);
  texts.clear();
  return NO_ENTRY;
}

void ListStore::PrepareList(int id, int entries, std::size_t textBytes) {
  if (ListBox* list = Find(id)) list->Reserve(entries, textBytes);
}

bool ListStore::SelectByUser(int id, int index) {
  ListBox* list = Find(id);
  return list && list->Select(index) && !FindControl(id)->Has(TRAIT_SILENT);
}

void ListStore::ShowInserted(int, int, const std::string&) {}
void ListStore::ShowAppended(int, int) {}
void ListStore::ShowDeleted(int, int) {}
void ListStore::ShowCleared(int) {}
