// A block of memory inside the program under test, for the tree messages
// whose argument is a pointer: the system does not carry them across
// processes, so the tree reads and writes the block in its own address space.
#pragma once

#include <windows.h>

#include <cstddef>

class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return address_ != nullptr; }
  // The block's address as the program sees it.
  LPARAM Address(std::size_t offset = 0) const;
  bool Write(std::size_t offset, const void* data, std::size_t size);
  bool Read(std::size_t offset, void* data, std::size_t size) const;

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};
