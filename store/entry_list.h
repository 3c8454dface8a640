// A list box's entries packed end to end in one text, so that filling a
// long hidden list (a whole catalogue) costs no allocation per entry.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class EntryList {
 public:
  std::size_t size() const { return ends_.size(); }
  std::string_view operator[](std::size_t index) const;
  void insert(std::size_t index, std::string_view text);
  void erase(std::size_t index);
  void clear();
  // Where text goes in a list sorted as the list boxes sort: after the
  // last entry that does not sort after it.
  std::size_t SortedPlace(const std::string& text) const;
  // The first entry equal to text as a whole ignoring case, or size().
  std::size_t FindExact(const std::string& text) const;

 private:
  std::size_t Begin(std::size_t index) const { return index == 0 ? 0 : ends_[index - 1]; }
  std::string texts_;
  std::vector<std::size_t> ends_;  // entry i ends at ends_[i] in texts_
};
