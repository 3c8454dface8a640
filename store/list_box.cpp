#include "list_box.h"

#include <algorithm>
#include <climits>

#include "text.h"

int ListBox::Add(const std::string& text, bool sorted) {
  std::size_t at = entries_.size();
  if (sorted) at = SortedPlace(at, text, [this](std::size_t i) { return entries_[i]; });
  return Insert(static_cast<int>(at), text);
}

int ListBox::Insert(int index, const std::string& text) {
  if (index > Count() || index < -1) return NO_ENTRY;
  if (index == -1) index = Count();
  if (!entries_.insert(static_cast<std::size_t>(index), text)) return NO_ENTRY;
  if (selected_ >= index) ++selected_;
  return index;
}

int ListBox::Delete(int index) {
  if (!Holds(index)) return NO_ENTRY;
  entries_.erase(static_cast<std::size_t>(index));
  if (selected_ == index) {
    selected_ = NO_ENTRY;
  } else if (selected_ > index) {
    --selected_;
  }
  return Count();
}

void ListBox::Clear() {
  entries_.clear();
  selected_ = NO_ENTRY;
}

int ListBox::Append(std::string_view texts) {
  std::size_t count = entries_.append(texts, static_cast<std::size_t>(INT_MAX - Count()));
  return count == EntryList::kRefused ? NO_ENTRY : static_cast<int>(count);
}

void ListBox::Reserve(int entries, std::size_t textBytes) {
  if (entries > 0) entries_.reserve(static_cast<std::size_t>(entries), textBytes);
}

int ListBox::Read(int index, std::string& text) const {
  if (!Holds(index)) {
    text.clear();
    return NO_ENTRY;
  }
  text.assign(entries_[static_cast<std::size_t>(index)]);
  return static_cast<int>(text.size());
}

int ListBox::ReadRange(int first, int count, std::string& texts) const {
  texts.clear();
  if (!Holds(first) || count < 0) return NO_ENTRY;
  auto begin = static_cast<std::size_t>(first);
  std::size_t end = begin + std::min(static_cast<std::size_t>(count), entries_.size() - begin);
  entries_.copy(begin, end, texts);
  return static_cast<int>(end - begin);
}

int ListBox::Find(const std::string& text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    std::string_view entry = entries_[i];
    if (entry.size() == text.size() && CompareListText(std::string(entry), text) == 0) {
      return static_cast<int>(i);
    }
  }
  return NO_ENTRY;
}

bool ListBox::Select(int index) {
  if (!Holds(index)) return false;
  selected_ = index;
  return true;
}
