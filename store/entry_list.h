// A list box's entries packed end to end in one text, each with the NUL
// that ends it, so that filling a long hidden list (a whole catalogue) costs
// no allocation per entry and a run of entries goes in and out in one copy.
// An entry appended with the text of the entry before it shares that text:
// the catalogue's folder list repeats one folder for every song in it, and a
// new catalogue's memory is slow to touch for the first time.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "memory_block.h"

// Items in one block that grows by doubling.
template <typename T>
class GrowingArray {
 public:
  GrowingArray() = default;
  GrowingArray(GrowingArray&& other) noexcept;
  GrowingArray(const GrowingArray&) = delete;
  GrowingArray& operator=(const GrowingArray&) = delete;
  ~GrowingArray();

  std::size_t size() const { return size_; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  // Room for count items in all; false, nothing changed, without memory.
  bool reserve(std::size_t count);
  // count more items at the end, for the caller to write; null, nothing
  // changed, without memory.
  T* extend(std::size_t count);
  // Room for count items at index, the items from there on moved up, for
  // the caller to write; null, nothing changed, without memory.
  T* open(std::size_t index, std::size_t count);
  void erase(std::size_t index, std::size_t count);
  void clear() { size_ = 0; }

 private:
  T* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

template <typename T>
GrowingArray<T>::GrowingArray(GrowingArray&& other) noexcept
    : data_(other.data_), size_(other.size_), capacity_(other.capacity_) {
  other.data_ = nullptr;
  other.size_ = other.capacity_ = 0;
}

template <typename T>
GrowingArray<T>::~GrowingArray() {
  std::free(data_);
}

template <typename T>
bool GrowingArray<T>::reserve(std::size_t count) {
  if (count <= capacity_) return true;
  std::size_t bytes = count * sizeof(T);
  void* grown = ResizeBlock(data_, size_ * sizeof(T), bytes);
  if (!grown) return false;
  data_ = static_cast<T*>(grown);
  capacity_ = bytes / sizeof(T);
  return true;
}

template <typename T>
T* GrowingArray<T>::extend(std::size_t count) {
  if (size_ + count > capacity_ &&
      !reserve(std::max({std::size_t{64}, capacity_ * 2, size_ + count}))) {
    return nullptr;
  }
  size_ += count;
  return data_ + size_ - count;
}

template <typename T>
T* GrowingArray<T>::open(std::size_t index, std::size_t count) {
  if (!extend(count)) return nullptr;
  std::memmove(data_ + index + count, data_ + index, (size_ - count - index) * sizeof(T));
  return data_ + index;
}

template <typename T>
void GrowingArray<T>::erase(std::size_t index, std::size_t count) {
  if (count == 0) return;
  std::memmove(data_ + index, data_ + index + count, (size_ - index - count) * sizeof(T));
  size_ -= count;
}

class EntryList {
 public:
  std::size_t size() const { return spans_.size(); }
  std::string_view operator[](std::size_t index) const;
  // False, and nothing inserted, when the texts would pass 4 GiB.
  bool insert(std::size_t index, std::string_view text);
  void erase(std::size_t index);
  void clear();
  // Room for entries more entries of textBytes bytes together (their NULs
  // not counted); false without memory (what fits then still goes in as it comes).
  bool reserve(std::size_t entries, std::size_t textBytes);
  // Appends texts, each ended by a NUL (bytes after the last NUL are no
  // entry); how many, or kRefused, nothing appended, when they are more
  // than most, without memory or past 4 GiB of text.
  static constexpr std::size_t kRefused = SIZE_MAX;
  std::size_t append(std::string_view texts, std::size_t most);
  // The entries from first up to last, each ended by its NUL, into texts.
  void copy(std::size_t first, std::size_t last, std::string& texts) const;

 private:
  struct Span {
    std::uint32_t begin;
    std::uint32_t length;
  };
  // Whether text, ended by a NUL, is the one at span. Most texts differ in
  // their length or their first byte, which are compared without a branch
  // (numbers of five and six digits alternate at random).
  bool SameText(std::string_view text, Span span) const {
    const char* at = texts_.data() + span.begin;
    bool maybe = (text.size() == span.length) & (text.data()[0] == at[0]);
    return maybe && text == std::string_view(at, span.length);
  }

  GrowingArray<char> texts_;
  GrowingArray<Span> spans_;  // where entry i lies in texts_, its NUL after it
};

inline std::string_view EntryList::operator[](std::size_t index) const {
  const Span& span = spans_.data()[index];
  return std::string_view(texts_.data() + span.begin, span.length);
}
