#include "res.mgr/SResXml.h"

#include "core/STempBuffer.h"

namespace SWUI {

bool LoadResXml(IResProvider* provider, LPCWSTR type, LPCWSTR name, pugi::xml_document& doc) {
  if (provider == nullptr || name == nullptr) return false;
  size_t size = provider->GetRawBufferSize(type, name);
  if (size == 0) return false;
  // A size the heap cannot hold is refused, not thrown about.
  STempBuffer buf;
  if (buf.Allocate(size) == nullptr) return false;
  // A failed read leaves the buffer unfilled: never parse it.
  if (!provider->GetRawBuffer(type, name, buf, size)) return false;
  return static_cast<bool>(doc.load_buffer(buf, size, pugi::parse_default, pugi::encoding_utf8));
}

}  // namespace SWUI
