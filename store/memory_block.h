// The memory under a growing list.
#pragma once

#include <cstddef>

// The block resized to room for at least bytes, what it held up to used
// kept; bytes becomes the room given. Null, and the block unchanged,
// without memory.
void* ResizeBlock(void* block, std::size_t used, std::size_t& bytes);
