#include "entry_list.h"

bool EntryList::insert(std::size_t index, std::string_view text) {
  std::size_t count = spans_.size();
  if (index == count && index > 0 && (*this)[index - 1] == text) {
    Span shared = spans_.data()[index - 1];
    return spans_.insert(index, &shared, 1);
  }
  if (texts_.size() + text.size() > UINT32_MAX) return false;
  // The text goes where the entry before it ends; texts from there on move up.
  const Span* spans = spans_.data();
  std::uint32_t at = index == 0 ? 0 : spans[index - 1].begin + spans[index - 1].length;
  auto length = static_cast<std::uint32_t>(text.size());
  bool last = at == texts_.size();
  Span span{at, length};
  // The span first: once the text is in, nothing may fail.
  if (!spans_.insert(index, &span, 1)) return false;
  if (!texts_.insert(at, text.data(), text.size())) {
    spans_.erase(index, 1);
    return false;
  }
  if (!last) {
    Span* moved = spans_.data();
    for (std::size_t i = 0; i <= count; ++i) {
      if (i != index && moved[i].begin >= at) moved[i].begin += length;
    }
  }
  return true;
}

void EntryList::erase(std::size_t index) {
  Span erased = spans_.data()[index];
  spans_.erase(index, 1);
  const Span* spans = spans_.data();
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    if (spans[i].begin == erased.begin && spans[i].length == erased.length) return;  // still shared
  }
  texts_.erase(erased.begin, erased.length);
  Span* moved = spans_.data();
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    if (moved[i].begin > erased.begin) moved[i].begin -= erased.length;
  }
}

void EntryList::clear() {
  texts_.clear();
  spans_.clear();
}

bool EntryList::reserve(std::size_t entries, std::size_t textBytes) {
  return spans_.reserve(spans_.size() + entries) && texts_.reserve(texts_.size() + textBytes);
}

bool EntryList::append(std::string_view texts) {
  texts = texts.substr(0, texts.rfind('\0') + 1);
  auto count = static_cast<std::size_t>(std::count(texts.begin(), texts.end(), '\0'));
  std::size_t bytes = texts.size() - count;
  if (texts_.size() + bytes > UINT32_MAX) return false;
  std::size_t first = spans_.size();
  Span* span = spans_.extend(count);
  if (!span && count > 0) return false;
  std::size_t used = texts_.size();
  if (!texts_.extend(bytes) && bytes > 0) {
    spans_.erase(first, count);
    return false;
  }
  // As insert does, an entry equal to the one before it shares its text;
  // the room of the texts shared is given back at the end.
  bool before = first > 0;
  Span last = before ? spans_.data()[first - 1] : Span{0, 0};
  for (const char* from = texts.data(); from < texts.data() + texts.size();) {
    std::string_view text(from);  // ends at its NUL, inside texts
    if (!before || !SameText(text, last)) {
      if (!text.empty()) std::memcpy(texts_.data() + used, text.data(), text.size());
      last = Span{static_cast<std::uint32_t>(used), static_cast<std::uint32_t>(text.size())};
      used += text.size();
    }
    *span++ = last;
    before = true;
    from += text.size() + 1;
  }
  texts_.erase(used, texts_.size() - used);
  return true;
}
