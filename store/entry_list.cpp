#include "entry_list.h"

#include "text.h"

std::string_view EntryList::operator[](std::size_t index) const {
  return std::string_view(texts_).substr(spans_[index].begin, spans_[index].length);
}

bool EntryList::insert(std::size_t index, std::string_view text) {
  if (index == spans_.size() && index > 0 && (*this)[index - 1] == text) {
    spans_.push_back(spans_.back());
    return true;
  }
  if (texts_.size() + text.size() > UINT32_MAX) return false;
  // The text goes where the entry before it ends; texts from there on move up.
  std::uint32_t at = index == 0 ? 0 : spans_[index - 1].begin + spans_[index - 1].length;
  auto length = static_cast<std::uint32_t>(text.size());
  texts_.insert(at, text);
  if (at + length < texts_.size()) {
    for (Span& span : spans_) {
      if (span.begin >= at) span.begin += length;
    }
  }
  spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(index), Span{at, length});
  return true;
}

void EntryList::erase(std::size_t index) {
  Span erased = spans_[index];
  spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(index));
  for (const Span& span : spans_) {
    if (span.begin == erased.begin && span.length == erased.length) return;  // still shared
  }
  texts_.erase(erased.begin, erased.length);
  for (Span& span : spans_) {
    if (span.begin > erased.begin) span.begin -= erased.length;
  }
}

void EntryList::clear() {
  texts_.clear();
  spans_.clear();
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
