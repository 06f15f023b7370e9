// A scratch byte buffer: sizes below 128 bytes use inline storage, larger ones a heap block
// of size + 1 bytes. Byte 0 and byte n of a fresh buffer are zero, so it also serves as an
// empty, terminated text.
#pragma once
#include <cstddef>

namespace SWUI {

class STempBuffer {
 public:
  static const size_t kInlineSize = 128;
  // The largest size given: its block (size + 1) stays below 2 GB, the most a 32-bit process
  // could ever hold, so both architectures refuse the same requests.
  static const size_t kMaxSize = 0x7FFFFFFE;

  STempBuffer() = default;
  explicit STempBuffer(size_t size) { Allocate(size); }
  ~STempBuffer() { Free(); }
  STempBuffer(const STempBuffer&) = delete;
  STempBuffer& operator=(const STempBuffer&) = delete;

  // Frees what it held, then gives a buffer of size bytes (plus the terminating zero byte);
  // null beyond kMaxSize or when the heap refuses (the buffer then holds nothing).
  void* Allocate(size_t size);
  // Frees what it held and takes the given buffer, which it will never free.
  void Attach(void* buffer, size_t size);
  // Frees a heap buffer that is neither inline nor attached; resets pointer, size and flag.
  void Free();

  void* GetBuffer() const { return m_buffer; }
  size_t GetSize() const { return m_size; }
  bool IsAttached() const { return m_attached; }
  operator void*() const { return m_buffer; }

 private:
  unsigned char m_inline[kInlineSize] = {};
  void* m_buffer = nullptr;
  size_t m_size = 0;
  bool m_attached = false;
};

}  // namespace SWUI
