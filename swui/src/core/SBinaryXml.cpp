#include "core/SBinaryXml.h"

#include "core/SByteOrder.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

namespace SWUI {

namespace {

const char kMagic[4] = {'s', 'x', 'm', 'l'};
const uint32_t kVersion = 1;
const size_t kHeaderBytes = 16;

// Index width for a table of n strings.
int IndexWidth(uint64_t n) { return n < 255 ? 1 : n < 65535 ? 2 : 4; }

bool IsWritable(const pugi::xml_node& node) {
  switch (node.type()) {
    case pugi::node_element:
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
      return true;
    default:
      return false;
  }
}

pugi::xml_node FirstWritable(pugi::xml_node node) {
  while (node && !IsWritable(node)) node = node.next_sibling();
  return node;
}

// Walks the writable nodes in document order without recursion: enter(node) on every node,
// leave() where a node's list of children ends (the document's last).
template <class Enter, class Leave>
bool Walk(const pugi::xml_document& doc, Enter enter, Leave leave) {
  pugi::xml_node cur = FirstWritable(doc.first_child());
  while (cur) {
    if (!enter(cur)) return false;
    pugi::xml_node child = FirstWritable(cur.first_child());
    if (child) {
      cur = child;
      continue;
    }
    leave();
    for (;;) {
      pugi::xml_node next = FirstWritable(cur.next_sibling());
      if (next) {
        cur = next;
        break;
      }
      cur = cur.parent();
      if (cur == doc) {
        cur = pugi::xml_node();
        break;
      }
      leave();
    }
  }
  leave();
  return true;
}

// The distinct non-empty texts, numbered from 1 in the order first met.
class StringTable {
 public:
  void Add(const wchar_t* text) {
    if (*text == 0) return;
    if (numbers_.emplace(text, static_cast<uint32_t>(texts_.size() + 1)).second) {
      texts_.push_back(text);
      chars_ += wcslen(text) + 1;
    }
  }
  uint32_t Of(const wchar_t* text) const { return *text == 0 ? 0 : numbers_.find(text)->second; }
  size_t Count() const { return texts_.size(); }
  uint64_t Chars() const { return chars_; }
  const std::vector<const wchar_t*>& Texts() const { return texts_; }

 private:
  std::unordered_map<std::wstring, uint32_t> numbers_;
  std::vector<const wchar_t*> texts_;
  uint64_t chars_ = 0;
};

class ByteWriter {
 public:
  explicit ByteWriter(int indexWidth) : width_(indexWidth) {}
  void Byte(BYTE b) { bytes_.push_back(b); }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<BYTE>(v >> (8 * i)));
  }
  void Index(uint32_t v) {
    for (int i = 0; i < width_; ++i) Byte(static_cast<BYTE>(v >> (8 * i)));
  }
  void Text(const wchar_t* text) {
    for (const wchar_t* p = text;; ++p) {
      Byte(static_cast<BYTE>(*p & 0xFF));
      Byte(static_cast<BYTE>(*p >> 8));
      if (*p == 0) break;
    }
  }
  const std::vector<BYTE>& Bytes() const { return bytes_; }

 private:
  int width_;
  std::vector<BYTE> bytes_;
};

bool Encode(const pugi::xml_document& doc, std::vector<BYTE>* out) {
  StringTable table;
  const bool named = Walk(
      doc,
      [&](const pugi::xml_node& node) {
        table.Add(node.name());
        table.Add(node.value());
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
          if (*a.name() == 0) return false;
          table.Add(a.name());
          table.Add(a.value());
        }
        return true;
      },
      [] {});
  if (!named || table.Chars() > UINT32_MAX) return false;

  ByteWriter w(IndexWidth(table.Count()));
  for (char c : kMagic) w.Byte(static_cast<BYTE>(c));
  w.U32(kVersion);
  w.U32(static_cast<uint32_t>(table.Count()));
  w.U32(static_cast<uint32_t>(table.Chars()));
  for (const wchar_t* text : table.Texts()) w.Text(text);
  Walk(
      doc,
      [&](const pugi::xml_node& node) {
        w.Byte(static_cast<BYTE>(node.type()));
        w.Index(table.Of(node.name()));
        w.Index(table.Of(node.value()));
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
          w.Index(table.Of(a.name()));
          w.Index(table.Of(a.value()));
        }
        w.Index(0);
        return true;
      },
      [&] { w.Byte(0); });
  *out = w.Bytes();
  return true;
}

// Reads the tree of a checked buffer into a document of its own.
class Decoder {
 public:
  Decoder(const BYTE* bytes, size_t size) : bytes_(bytes), size_(size) {}

  pugi::xml_parse_status Run(pugi::xml_document* doc) {
    if (size_ < kHeaderBytes) return pugi::status_unrecognized_tag;
    const uint64_t count = ReadLE32(bytes_ + 8);
    const uint64_t chars = ReadLE32(bytes_ + 12);
    if (chars * 2 > size_ - kHeaderBytes || count > chars) return pugi::status_unrecognized_tag;
    pos_ = kHeaderBytes + static_cast<size_t>(chars) * 2;
    width_ = IndexWidth(count);
    pugi::xml_parse_status status =
        ReadTable(static_cast<size_t>(count), static_cast<size_t>(chars));
    if (status != pugi::status_ok) return status;
    status = ReadTree(doc);
    if (status == pugi::status_ok && pos_ != size_) status = pugi::status_unrecognized_tag;
    return status;
  }

  size_t Offset() const { return pos_; }

 private:
  // The N texts must fill the table exactly: each ends at a NUL, the last at its end.
  pugi::xml_parse_status ReadTable(size_t count, size_t chars) {
    try {
      texts_.reserve(count + 1);
      texts_.push_back(std::wstring());  // index 0: no text
      std::wstring text;
      for (size_t i = 0; i < chars; ++i) {
        const size_t at = kHeaderBytes + i * 2;
        const wchar_t c = static_cast<wchar_t>(bytes_[at] | (bytes_[at + 1] << 8));
        if (c != 0) {
          text.push_back(c);
          continue;
        }
        if (texts_.size() > count) return pugi::status_unrecognized_tag;
        texts_.push_back(text);
        text.clear();
      }
      if (texts_.size() != count + 1 || !text.empty()) return pugi::status_unrecognized_tag;
    } catch (const std::bad_alloc&) {
      return pugi::status_out_of_memory;
    }
    return pugi::status_ok;
  }

  bool ReadByte(BYTE* b) {
    if (pos_ >= size_) return false;
    *b = bytes_[pos_++];
    return true;
  }

  // An index within the table; false past the end of the buffer or beyond N.
  bool ReadIndex(uint32_t* index) {
    if (size_ - pos_ < static_cast<size_t>(width_)) return false;
    uint32_t v = 0;
    for (int i = 0; i < width_; ++i) v |= static_cast<uint32_t>(bytes_[pos_ + i]) << (8 * i);
    pos_ += width_;
    if (v >= texts_.size()) return false;
    *index = v;
    return true;
  }

  static bool HasName(pugi::xml_node_type t) { return t == pugi::node_element; }
  static bool HasValue(pugi::xml_node_type t) {
    return t == pugi::node_pcdata || t == pugi::node_cdata || t == pugi::node_comment;
  }

  // A node's name, value and attributes.
  pugi::xml_parse_status ReadNode(pugi::xml_node node) {
    const pugi::xml_node_type type = node.type();
    uint32_t name = 0;
    uint32_t value = 0;
    if (!ReadIndex(&name) || !ReadIndex(&value)) return pugi::status_unrecognized_tag;
    if ((name != 0 && !HasName(type)) || (value != 0 && !HasValue(type))) {
      return pugi::status_unrecognized_tag;
    }
    if ((name != 0 && !node.set_name(texts_[name].c_str())) ||
        (value != 0 && !node.set_value(texts_[value].c_str()))) {
      return pugi::status_out_of_memory;
    }
    for (;;) {
      uint32_t attrName = 0;
      if (!ReadIndex(&attrName)) return pugi::status_unrecognized_tag;
      if (attrName == 0) break;
      uint32_t attrValue = 0;
      if (!ReadIndex(&attrValue) || type != pugi::node_element || texts_[attrName].empty()) {
        return pugi::status_unrecognized_tag;
      }
      pugi::xml_attribute a = node.append_attribute(texts_[attrName].c_str());
      if (!a || (attrValue != 0 && !a.set_value(texts_[attrValue].c_str()))) {
        return pugi::status_out_of_memory;
      }
    }
    return pugi::status_ok;
  }

  // Children lists are read with a stack of open parents, not by recursion.
  pugi::xml_parse_status ReadTree(pugi::xml_document* doc) {
    std::vector<pugi::xml_node> open;
    try {
      open.push_back(*doc);
      while (!open.empty()) {
        BYTE type = 0;
        if (!ReadByte(&type)) return pugi::status_unrecognized_tag;
        if (type == 0) {
          open.pop_back();
          continue;
        }
        const pugi::xml_node_type parentType = open.back().type();
        if (type < pugi::node_element || type > pugi::node_comment ||
            (parentType != pugi::node_document && parentType != pugi::node_element)) {
          return pugi::status_unrecognized_tag;
        }
        pugi::xml_node node = open.back().append_child(static_cast<pugi::xml_node_type>(type));
        if (!node) return pugi::status_out_of_memory;
        const pugi::xml_parse_status status = ReadNode(node);
        if (status != pugi::status_ok) return status;
        open.push_back(node);
      }
    } catch (const std::bad_alloc&) {
      return pugi::status_out_of_memory;
    }
    return pugi::status_ok;
  }

  const BYTE* bytes_;
  size_t size_;
  size_t pos_ = 0;
  int width_ = 1;
  std::vector<std::wstring> texts_;
};

pugi::xml_parse_result Result(pugi::xml_parse_status status, ptrdiff_t offset = 0) {
  pugi::xml_parse_result result;
  result.status = status;
  result.offset = offset;
  result.encoding = pugi::encoding_utf16_le;
  return result;
}

// The whole of an open file; status_io_error when its size cannot be learnt or it cannot be
// read, status_out_of_memory when it cannot be held.
pugi::xml_parse_status ReadWhole(FILE* file, std::vector<BYTE>* bytes) {
  if (_fseeki64(file, 0, SEEK_END) != 0) return pugi::status_io_error;
  const long long size = _ftelli64(file);
  if (size < 0 || static_cast<unsigned long long>(size) > SIZE_MAX / 2 ||
      _fseeki64(file, 0, SEEK_SET) != 0) {
    return pugi::status_io_error;
  }
  try {
    bytes->resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return pugi::status_out_of_memory;
  }
  if (fread(bytes->data(), 1, bytes->size(), file) != bytes->size()) return pugi::status_io_error;
  return pugi::status_ok;
}

pugi::xml_parse_result LoadStream(pugi::xml_document& doc, FILE* file) {
  if (file == nullptr) return Result(pugi::status_io_error);
  std::vector<BYTE> bytes;
  const pugi::xml_parse_status status = ReadWhole(file, &bytes);
  fclose(file);
  if (status != pugi::status_ok) return Result(status);
  return SBinaryXml::Load(doc, bytes.data(), bytes.size());
}

BOOL SaveStream(const pugi::xml_document& doc, FILE* file) {
  if (file == nullptr) return FALSE;
  const bool written = SBinaryXml::Write(doc, file);
  const bool closed = fclose(file) == 0;
  return written && closed;
}

}  // namespace

bool SBinaryXml::Write(const pugi::xml_document& doc, FILE* file) {
  if (file == nullptr) return false;
  std::vector<BYTE> bytes;
  try {
    if (!Encode(doc, &bytes)) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  return fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && fflush(file) == 0;
}

BOOL SBinaryXml::Save(const pugi::xml_document& doc, LPCWSTR path) {
  return path != nullptr ? SaveStream(doc, _wfopen(path, L"wb")) : FALSE;
}

BOOL SBinaryXml::Save(const pugi::xml_document& doc, LPCSTR path) {
  return path != nullptr ? SaveStream(doc, fopen(path, "wb")) : FALSE;
}

pugi::xml_parse_result SBinaryXml::Load(pugi::xml_document& doc, const void* buffer, size_t size) {
  const BYTE* bytes = static_cast<const BYTE*>(buffer);
  if (bytes == nullptr && size != 0) return Result(pugi::status_io_error);
  // What there is of the magic and the version must be right; a header that is merely cut
  // short is damage.
  if ((size > 0 && memcmp(bytes, kMagic, size < 4 ? size : 4) != 0) ||
      (size >= 8 && ReadLE32(bytes + 4) != kVersion)) {
    return Result(pugi::status_bad_doctype);
  }
  pugi::xml_document read;
  Decoder decoder(bytes, size);
  const pugi::xml_parse_status status = decoder.Run(&read);
  if (status != pugi::status_ok) return Result(status, static_cast<ptrdiff_t>(decoder.Offset()));
  doc = std::move(read);
  return Result(pugi::status_ok);
}

pugi::xml_parse_result SBinaryXml::LoadFile(pugi::xml_document& doc, LPCWSTR path) {
  return LoadStream(doc, path != nullptr ? _wfopen(path, L"rb") : nullptr);
}

pugi::xml_parse_result SBinaryXml::LoadFile(pugi::xml_document& doc, LPCSTR path) {
  return LoadStream(doc, path != nullptr ? fopen(path, "rb") : nullptr);
}

}  // namespace SWUI
