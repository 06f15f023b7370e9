#include "core/xml_writer_buff.h"

#include <cstring>

namespace SWUI {

void xml_writer_buff::write(const void* data, size_t size) {
  const size_t chars = size / sizeof(wchar_t);
  if (chars >= kCapacity - 1 - m_len) return;
  memcpy(m_buf + m_len, data, chars * sizeof(wchar_t));
  m_len += chars;
  m_buf[m_len] = 0;
}

}  // namespace SWUI
