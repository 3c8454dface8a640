// The random source of the orders: the C runtime's classic generator, so
// that every platform draws the same sequence from the same seed.
#pragma once

#include <cstdint>

class RandomSource {
 public:
  explicit RandomSource(std::uint32_t seed) : state_(seed) {}

  // A whole number from 0 to 32767, uniformly.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

  // A song index from 0 to n - 1 (n at least 1). Up to 32767 songs it is
  // (r * n) / 32767 with r = 32767 drawn again; larger catalogues take 30 bits
  // from two draws, so that every index can be reached.
  int DrawIndex(int n) {
    if (n <= 32767) {
      int r;
      do r = Next(); while (r == 32767);
      return static_cast<int>(static_cast<std::int64_t>(r) * n / 32767);
    }
    constexpr std::int64_t top = (std::int64_t{1} << 30) - 1;
    std::int64_t r;
    do {
      // The high half first, in a statement of its own: the order of the two
      // draws must not be left to the compiler.
      std::int64_t high = Next();
      r = (high << 15) | Next();
    } while (r == top);
    return static_cast<int>(r * n / top);
  }

 private:
  std::uint32_t state_;
};
