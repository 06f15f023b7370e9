// The binary XML document format "sxml": a 16-byte header ("sxml", version 1, string count N,
// character count), a table of N UTF-16 texts each ending in NUL, then the tree with every
// name and value as an index into the table (1 byte wide when N < 255, 2 when N < 65535,
// else 4; 0 means no text).
//
// Reading results: status_ok; status_io_error when a file cannot be opened or read;
// status_bad_doctype when the magic is not "sxml" or the version is not 1; status_out_of_memory
// when the tree cannot be held; and status_unrecognized_tag for every other damage (a cut
// header, table or tree, an index beyond N, a node type outside 2..5, a text on a node that
// cannot carry it, bytes after the tree), with offset the byte where reading stopped. On any
// status but status_ok the document is left as it was.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdio>

#include <pugixml.hpp>

namespace SWUI {

class SBinaryXml {
 public:
  // Writes the document (element, text, CDATA and comment nodes; processing instructions,
  // declarations and document types are left out with everything below them) to a stream
  // opened for binary writing. False when a write fails or an attribute has no name (such an
  // attribute would end the attribute list).
  static bool Write(const pugi::xml_document& doc, FILE* file);
  // FALSE when the file cannot be created or the write fails.
  static BOOL Save(const pugi::xml_document& doc, LPCWSTR path);
  static BOOL Save(const pugi::xml_document& doc, LPCSTR path);

  static pugi::xml_parse_result Load(pugi::xml_document& doc, const void* buffer, size_t size);
  static pugi::xml_parse_result LoadFile(pugi::xml_document& doc, LPCWSTR path);
  static pugi::xml_parse_result LoadFile(pugi::xml_document& doc, LPCSTR path);
};

}  // namespace SWUI
