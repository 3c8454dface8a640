// One list box kept in memory, with the answers a list box gives: a sorted
// list keeps the program's order, indexes are checked, and the selection
// stays on its entry while others come and go.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "entry_list.h"
#include "state_store.h"

class ListBox {
 public:
  // Adds text at its sorted place (after the entries that do not sort after
  // it) in a sorted list, at the end in any other; the new index, or NO_ENTRY.
  int Add(const std::string& text, bool sorted);
  // Inserts text at index, -1 appending; the index, or NO_ENTRY.
  int Insert(int index, const std::string& text);
  // Deletes the entry at index; the remaining count, or NO_ENTRY (nothing
  // deleted) for an index out of range.
  int Delete(int index);
  void Clear();
  // Appends texts, each ended by a NUL, never sorting; how many, or
  // NO_ENTRY (none appended) without memory or past the list's limits.
  int Append(std::string_view texts);
  // Makes room for entries more entries of textBytes bytes together.
  void Reserve(int entries, std::size_t textBytes);
  // Copies the entry into text and returns its length, or NO_ENTRY (text
  // emptied) for an index out of range.
  int Read(int index, std::string& text) const;
  // Copies at most count entries from first on into texts, each ended by a
  // NUL; how many, or NO_ENTRY (texts emptied) for first out of range.
  int ReadRange(int first, int count, std::string& texts) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  // The first entry equal to text as a whole ignoring case, or NO_ENTRY.
  int Find(const std::string& text) const;
  int Selected() const { return selected_; }
  // False, the selection unchanged, for an index out of range.
  bool Select(int index);

 private:
  bool Holds(int index) const { return index >= 0 && index < Count(); }

  EntryList entries_;
  int selected_ = NO_ENTRY;
};
