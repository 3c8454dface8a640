#include "entry_list.h"

#include "text.h"

bool EntryList::insert(std::size_t index, std::string_view text) {
  std::size_t count = spans_.size();
  if (index == count && index > 0 && (*this)[index - 1] == text) {
    Span* shared = spans_.open(index, 1);
    if (shared) *shared = shared[-1];
    return shared != nullptr;
  }
  std::size_t bytes = text.size() + 1;
  if (texts_.size() + bytes > UINT32_MAX) return false;
  // The text goes where the entry before it ends; texts from there on move up.
  const Span* spans = spans_.data();
  std::uint32_t at = index == 0 ? 0 : spans[index - 1].begin + spans[index - 1].length + 1;
  bool last = at == texts_.size();
  // The span first: once the text is in, nothing may fail.
  Span* span = spans_.open(index, 1);
  if (!span) return false;
  *span = Span{at, static_cast<std::uint32_t>(text.size())};
  char* room = texts_.open(at, bytes);
  if (!room) {
    spans_.erase(index, 1);
    return false;
  }
  std::memcpy(room, text.data(), text.size());
  room[text.size()] = '\0';
  if (!last) {
    Span* moved = spans_.data();
    for (std::size_t i = 0; i <= count; ++i) {
      if (i != index && moved[i].begin >= at) moved[i].begin += static_cast<std::uint32_t>(bytes);
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
  texts_.erase(erased.begin, erased.length + 1);
  Span* moved = spans_.data();
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    if (moved[i].begin > erased.begin) moved[i].begin -= erased.length + 1;
  }
}

void EntryList::clear() {
  texts_.clear();
  spans_.clear();
}

bool EntryList::reserve(std::size_t entries, std::size_t textBytes) {
  return spans_.reserve(spans_.size() + entries) && texts_.reserve(texts_.size() + textBytes + entries);
}

std::size_t EntryList::append(std::string_view texts, std::size_t most) {
  texts = texts.substr(0, texts.rfind('\0') + 1);
  if (texts.empty()) return 0;
  if (texts_.size() + texts.size() > UINT32_MAX) return kRefused;
  std::size_t first = spans_.size();
  std::size_t start = texts_.size();
  char* copied = texts_.extend(texts.size());
  if (!copied) return kRefused;
  // The texts go in as one copy, and are counted as they are walked. As
  // insert does, an entry equal to the one before it shares its text: the
  // texts after it move down over it, and the room of the texts shared is
  // given back at the end.
  std::memcpy(copied, texts.data(), texts.size());
  std::size_t used = start;
  bool before = first > 0;
  Span last = before ? spans_.data()[first - 1] : Span{0, 0};
  for (const char* from = texts.data(); from < texts.data() + texts.size();) {
    std::string_view text(from, static_cast<std::size_t>(EntryEnd(from, texts.data() + texts.size()) - from));
    Span* span = spans_.size() - first < most ? spans_.extend(1) : nullptr;
    if (!span) {
      spans_.erase(first, spans_.size() - first);
      texts_.erase(start, texts_.size() - start);
      return kRefused;
    }
    if (!before || !SameText(text, last)) {
      char* to = texts_.data() + used;
      if (to != copied + (from - texts.data())) std::memcpy(to, from, text.size() + 1);
      last = Span{static_cast<std::uint32_t>(used), static_cast<std::uint32_t>(text.size())};
      used += text.size() + 1;
    }
    *span = last;
    before = true;
    from += text.size() + 1;
  }
  texts_.erase(used, texts_.size() - used);
  return spans_.size() - first;
}

void EntryList::copy(std::size_t first, std::size_t last, std::string& texts) const {
  texts.clear();
  if (first == last) return;
  const Span* spans = spans_.data();
  // Entries that lie end to end, as appended, go out in one copy.
  std::size_t bytes = 0;
  bool together = true;
  for (std::size_t i = first; i < last; ++i) {
    together = together && spans[i].begin == spans[first].begin + bytes;
    bytes += spans[i].length + 1;
  }
  if (together) {
    texts.assign(texts_.data() + spans[first].begin, bytes);
    return;
  }
  texts.reserve(bytes);
  for (std::size_t i = first; i < last; ++i) texts.append(texts_.data() + spans[i].begin, spans[i].length + 1);
}
