// An XML writer into a fixed wide-character buffer: what pugixml prints is collected as text,
// always terminated. A chunk that would bring the text to kCapacity - 1 characters or more is
// dropped whole, so the text never grows past the buffer and earlier chunks stay intact.
// Print with pugi::encoding_wchar so that chunks arrive as wide characters.
#pragma once
#include <pugixml.hpp>

namespace SWUI {

class xml_writer_buff : public pugi::xml_writer {
 public:
  static constexpr size_t kCapacity = 20481;

  xml_writer_buff() { m_buf[0] = 0; }

  void write(const void* data, size_t size) override;

  const wchar_t* buffer() const { return m_buf; }
  size_t size() const { return m_len; }

 private:
  wchar_t m_buf[kCapacity];
  size_t m_len = 0;
};

}  // namespace SWUI
