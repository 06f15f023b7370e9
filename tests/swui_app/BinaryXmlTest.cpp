// The binary XML format "sxml": round trips, index widths, statuses, damaged input and depth.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "LittleEndian.h"
#include "TempFolder.h"
#include "XmlFixtures.h"
#include "core/SBinaryXml.h"
#include "core/SByteOrder.h"

using namespace SWUI;
using fixtures::TreeText;

namespace {

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (f == nullptr) return bytes;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof(buf), f)) > 0) bytes.append(buf, n);
  fclose(f);
  return bytes;
}

std::string Encode(const pugi::xml_document& doc) {
  TempFolder dir;
  const std::wstring path = dir.Write(L"doc.sxml", "");
  REQUIRE(SBinaryXml::Save(doc, path.c_str()));
  return ReadFileBytes(path);
}

pugi::xml_parse_status Decode(pugi::xml_document& doc, const std::string& bytes) {
  return SBinaryXml::Load(doc, bytes.data(), bytes.size()).status;
}

// A document that must survive every failed read unchanged.
void FillSentinel(pugi::xml_document& doc) {
  doc.reset();
  doc.append_child(L"sentinel").append_attribute(L"kept") = L"yes";
}

uint32_t U32(const std::string& b, size_t at) {
  return ReadLE32(reinterpret_cast<const BYTE*>(b.data()) + at);
}

// A hand-made file: header, a table of the given texts, then the tree bytes (1-byte indices).
std::string Craft(const std::vector<std::wstring>& texts, const std::string& tree,
                  int countAdjust = 0) {
  std::string out = "sxml";
  uint32_t chars = 0;
  for (const auto& t : texts) chars += static_cast<uint32_t>(t.size() + 1);
  fixtures::PutLE32(out, 1);
  fixtures::PutLE32(out, static_cast<uint32_t>(texts.size() + countAdjust));
  fixtures::PutLE32(out, chars);
  for (const auto& t : texts) {
    for (wchar_t c : t) fixtures::PutLE16(out, c);
    fixtures::PutLE16(out, 0);
  }
  return out + tree;
}

}  // namespace

TEST_CASE("sxml round trip: elements, attributes (one empty), text, CDATA and comments") {
  pugi::xml_document doc;
  doc.append_child(pugi::node_declaration).append_attribute(L"version") = L"1.0";
  doc.append_child(pugi::node_doctype).set_value(L"root");
  doc.append_child(pugi::node_comment).set_value(L" top ");
  pugi::xml_node root = doc.append_child(L"root");
  root.append_attribute(L"a") = L"1";
  root.append_attribute(L"b") = L"";
  root.append_child(pugi::node_pcdata).set_value(L"text \x4E2D");
  root.append_child(pugi::node_cdata).set_value(L"<cdata & more>");
  pugi::xml_node pi = root.append_child(pugi::node_pi);
  pi.set_name(L"pi");
  pi.set_value(L"left out with everything");
  pugi::xml_node child = root.append_child(L"child");
  child.append_attribute(L"a") = L"1";  // the same texts again: stored once
  child.append_child(L"leaf");
  root.append_child(pugi::node_comment).set_value(L"1");

  const std::string bytes = Encode(doc);
  CHECK(bytes.compare(0, 4, "sxml") == 0);
  CHECK(U32(bytes, 4) == 1);
  // root a 1 b, "text 中", "<cdata & more>", child leaf, " top ": nine texts.
  CHECK(U32(bytes, 8) == 9);

  pugi::xml_document expected;
  expected.reset(doc);
  expected.remove_child(expected.first_child());  // the declaration
  expected.remove_child(expected.first_child());  // the document type
  expected.child(L"root").remove_child(expected.child(L"root").child(L"pi"));

  pugi::xml_document read;
  FillSentinel(read);
  REQUIRE(Decode(read, bytes) == pugi::status_ok);
  CHECK(TreeText(read) == TreeText(expected));
  CHECK(read.child(L"root").attribute(L"b"));  // the empty attribute is there
  CHECK(Encode(read) == bytes);

  SUBCASE("from a file, wide and narrow paths") {
    TempFolder dir;
    const std::wstring wide = dir.Write(L"doc.sxml", bytes);
    pugi::xml_document fromFile;
    REQUIRE(SBinaryXml::LoadFile(fromFile, wide.c_str()).status == pugi::status_ok);
    CHECK(TreeText(fromFile) == TreeText(expected));
    const std::string narrow(wide.begin(), wide.end());
    CHECK(SBinaryXml::Save(expected, narrow.c_str()));
    pugi::xml_document again;
    REQUIRE(SBinaryXml::LoadFile(again, narrow.c_str()).status == pugi::status_ok);
    CHECK(TreeText(again) == TreeText(expected));
  }
}

TEST_CASE("sxml index width: 1 byte for 254 texts, 2 bytes for 255") {
  for (int texts : {254, 255}) {
    CAPTURE(texts);
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child(L"r");
    uint32_t chars = 2;
    for (int i = 1; i < texts; ++i) {
      const std::wstring value = L"t" + std::to_wstring(i);
      root.append_child(pugi::node_pcdata).set_value(value.c_str());
      chars += static_cast<uint32_t>(value.size() + 1);
    }
    const size_t width = texts < 255 ? 1 : 2;
    // The root (type, name, value, attribute end, its children, child end) and the
    // document's child end; each text node has the same items and an empty child list.
    const size_t tree = (1 + 3 * width + 1) * texts + 1;
    const std::string bytes = Encode(doc);
    CHECK(U32(bytes, 8) == static_cast<uint32_t>(texts));
    CHECK(bytes.size() == 16 + chars * 2 + tree);
    pugi::xml_document read;
    REQUIRE(Decode(read, bytes) == pugi::status_ok);
    CHECK(TreeText(read) == TreeText(doc));
  }
}

TEST_CASE("sxml statuses: wrong magic or version 9, no file 2, damage 5, the document unchanged") {
  pugi::xml_document doc;
  doc.append_child(L"a").append_attribute(L"x") = L"y";
  const std::string good = Encode(doc);
  pugi::xml_document read;
  FillSentinel(read);
  const std::string sentinel = TreeText(read);

  std::string bad = good;
  bad[3] = 'L';  // "sxmL"
  CHECK(Decode(read, bad) == pugi::status_bad_doctype);
  bad = good;
  bad[4] = 2;
  CHECK(Decode(read, bad) == pugi::status_bad_doctype);
  CHECK(Decode(read, "PK") == pugi::status_bad_doctype);
  CHECK(SBinaryXml::LoadFile(read, L"C:\\no\\such\\file.sxml").status == pugi::status_io_error);
  CHECK(SBinaryXml::LoadFile(read, "C:\\no\\such\\file.sxml").status == pugi::status_io_error);
  for (size_t cut = 0; cut < good.size(); ++cut) {
    CAPTURE(cut);
    CHECK(Decode(read, good.substr(0, cut)) != pugi::status_ok);
  }
  CHECK(Decode(read, good + '\0') == pugi::status_unrecognized_tag);

  const struct {
    const char* what;
    std::string bytes;
  } kDamaged[] = {
      {"index beyond the table", Craft({L"e"}, std::string("\x02\x02\x00\x00\x00\x00", 6))},
      {"node type 6", Craft({L"e"}, std::string("\x06\x01\x00\x00\x00\x00", 6))},
      {"a document as a child", Craft({L"e"}, std::string("\x01\x01\x00\x00\x00\x00", 6))},
      {"a name on text", Craft({L"e"}, std::string("\x03\x01\x00\x00\x00\x00", 6))},
      {"a value on an element", Craft({L"e"}, std::string("\x02\x01\x01\x00\x00\x00", 6))},
      {"an attribute on a comment",
       Craft({L"e"}, std::string("\x05\x00\x01\x01\x01\x00\x00\x00", 8))},
      {"an attribute with an empty name",
       Craft({L""}, std::string("\x02\x00\x00\x01\x00\x00\x00\x00", 8))},
      {"a child of text",
       Craft({L"e"}, std::string("\x03\x00\x01\x00\x02\x00\x00\x00\x00\x00", 10))},
      {"more strings counted than present", Craft({L"e"}, std::string("\x00", 1), 1)},
      {"fewer strings counted than present", Craft({L"e", L"f"}, std::string("\x00", 1), -1)},
  };
  for (const auto& d : kDamaged) {
    CAPTURE(d.what);
    CHECK(Decode(read, d.bytes) == pugi::status_unrecognized_tag);
  }
  CHECK(Decode(read, Craft({L"e"}, std::string("\x02\x01\x00\x00\x00\x00", 6))) == pugi::status_ok);
  CHECK(TreeText(read) == "0|1||\n1|2|e|\n");
  FillSentinel(read);
  CHECK(Decode(read, Craft({}, std::string("\x00", 1))) == pugi::status_ok);  // empty document
  CHECK(TreeText(read) == "0|1||\n");
  FillSentinel(read);
  CHECK(Decode(read, bad) != pugi::status_ok);
  CHECK(TreeText(read) == sentinel);
}

TEST_CASE("sxml: 100,000 nested elements round-trip without recursion") {
  pugi::xml_document doc;
  pugi::xml_node node = doc;
  for (int i = 0; i < 100000; ++i) {
    node = node.append_child(i % 2 ? L"odd" : L"even");
    if (i % 1000 == 0) node.append_attribute(L"at") = i;
  }
  node.append_child(pugi::node_pcdata).set_value(L"bottom");
  const std::string bytes = Encode(doc);
  pugi::xml_document read;
  REQUIRE(Decode(read, bytes) == pugi::status_ok);
  CHECK(TreeText(read) == TreeText(doc));
}

TEST_CASE("sxml writer: failures are reported") {
  TempFolder dir;
  pugi::xml_document doc;
  doc.append_child(L"a");
  CHECK_FALSE(SBinaryXml::Save(doc, L"C:\\no\\such\\folder\\x.sxml"));
  CHECK_FALSE(SBinaryXml::Save(doc, static_cast<LPCWSTR>(nullptr)));
  const std::wstring path = dir.Write(L"ro.sxml", "x");
  FILE* readOnly = _wfopen(path.c_str(), L"rb");
  REQUIRE(readOnly != nullptr);
  CHECK_FALSE(SBinaryXml::Write(doc, readOnly));  // the write fails
  fclose(readOnly);
  doc.child(L"a").append_attribute(L"");  // an attribute without a name cannot be written
  FILE* out = _wfopen((dir.Path() + L"\\unnamed.sxml").c_str(), L"wb");
  REQUIRE(out != nullptr);
  CHECK_FALSE(SBinaryXml::Write(doc, out));
  fclose(out);
  DeleteFileW((dir.Path() + L"\\unnamed.sxml").c_str());
}
