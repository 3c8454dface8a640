// A list box's entries packed end to end in one text, so that filling a
// long hidden list (a whole catalogue) costs no allocation per entry. An
// entry appended with the text of the entry before it shares that text: the
// catalogue's folder list repeats one folder for every song in it, and a new
// catalogue's memory is slow to touch for the first time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class EntryList {
 public:
  std::size_t size() const { return spans_.size(); }
  std::string_view operator[](std::size_t index) const;
  // False, and nothing inserted, when the texts would pass 4 GiB.
  bool insert(std::size_t index, std::string_view text);
  void erase(std::size_t index);
  void clear();
  // Where text goes in a list sorted as the list boxes sort: after the
  // last entry that does not sort after it.
  std::size_t SortedPlace(const std::string& text) const;
  // The first entry equal to text as a whole ignoring case, or size().
  std::size_t FindExact(const std::string& text) const;

 private:
  struct Span {
    std::uint32_t begin;
    std::uint32_t length;
  };
  std::string texts_;
  std::vector<Span> spans_;  // where entry i lies in texts_
};
