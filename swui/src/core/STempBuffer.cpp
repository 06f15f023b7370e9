#include "core/STempBuffer.h"

#include "base/SwuiMem.h"

namespace SWUI {

void* STempBuffer::Allocate(size_t size) {
  Free();
  unsigned char* p = m_inline;
  if (size >= kInlineSize) {
    if (size > kMaxSize) return nullptr;
    p = static_cast<unsigned char*>(SwuiMalloc(size + 1));
    if (!p) return nullptr;
  }
  p[0] = 0;
  p[size] = 0;
  m_buffer = p;
  m_size = size;
  return p;
}

void STempBuffer::Attach(void* buffer, size_t size) {
  Free();
  m_buffer = buffer;
  m_size = size;
  m_attached = true;
}

void STempBuffer::Free() {
  if (m_buffer && m_buffer != m_inline && !m_attached) SwuiFree(m_buffer);
  m_buffer = nullptr;
  m_size = 0;
  m_attached = false;
}

}  // namespace SWUI
