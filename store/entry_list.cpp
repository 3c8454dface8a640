#include "entry_list.h"

#include "text.h"

std::string_view EntryList::operator[](std::size_t index) const {
  return std::string_view(texts_).substr(Begin(index), ends_[index] - Begin(index));
}

void EntryList::insert(std::size_t index, std::string_view text) {
  if (index == ends_.size()) {
    texts_.append(text);
    ends_.push_back(texts_.size());
    return;
  }
  texts_.insert(Begin(index), text);
  ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(index), Begin(index) + text.size());
  for (std::size_t i = index + 1; i < ends_.size(); ++i) ends_[i] += text.size();
}

void EntryList::erase(std::size_t index) {
  std::size_t length = ends_[index] - Begin(index);
  texts_.erase(Begin(index), length);
  ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(index));
  for (std::size_t i = index; i < ends_.size(); ++i) ends_[i] -= length;
}

void EntryList::clear() {
  texts_.clear();
  ends_.clear();
}

std::size_t EntryList::SortedPlace(const std::string& text) const {
  std::size_t low = 0;
  std::size_t high = size();
  while (low < high) {
    std::size_t middle = (low + high) / 2;
    if (CompareListText(text, std::string((*this)[middle])) < 0) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return high;
}

std::size_t EntryList::FindExact(const std::string& text) const {
  for (std::size_t i = 0; i < size(); ++i) {
    std::string_view entry = (*this)[i];
    if (entry.size() == text.size() && CompareListText(std::string(entry), text) == 0) return i;
  }
  return size();
}
