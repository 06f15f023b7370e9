// Binary XML under damage: every cut fails; a damaged read fails with the document untouched,
// or succeeds with a tree that saves and reads back to the same tree.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include <pugixml.hpp>

#include "SweepRig.h"
#include "XmlFixtures.h"
#include "core/SBinaryXml.h"

using namespace SWUI;
using fixtures::TreeText;

namespace {

const int kMutations = 15000;

std::wstring TempFile(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + L"tevaro_sweep_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
         name;
}

std::string Encode(const pugi::xml_document& doc, const std::wstring& path) {
  std::string bytes;
  if (!SBinaryXml::Save(doc, path.c_str())) return bytes;
  FILE* f = _wfopen(path.c_str(), L"rb");
  char buf[4096];
  size_t n;
  while (f != nullptr && (n = fread(buf, 1, sizeof(buf), f)) > 0) bytes.append(buf, n);
  if (f != nullptr) fclose(f);
  return bytes;
}

// Elements, attributes (some empty), text, CDATA and comments; texts repeated, and enough of
// them for two-byte indices when wide is set.
pugi::xml_document Sample(bool wide) {
  pugi::xml_document doc;
  doc.append_child(pugi::node_comment).set_value(L"head");
  pugi::xml_node root = doc.append_child(L"skin");
  root.append_attribute(L"version") = L"2";
  for (int i = 0; i < (wide ? 140 : 6); ++i) {
    pugi::xml_node item = root.append_child(i % 2 ? L"image" : L"color");
    item.append_attribute(L"name") = (L"n" + std::to_wstring(i)).c_str();
    item.append_attribute(L"src") = i % 3 ? L"" : L"img:shared";
    if (i % 4 == 0) item.append_child(pugi::node_pcdata).set_value(L"text");
    if (i % 5 == 0)
      item.append_child(pugi::node_cdata).set_value((L"<c" + std::to_wstring(i) + L">").c_str());
    if (i % 7 == 0) item.append_child(pugi::node_comment).set_value(L"note");
    item.append_child(L"state").append_attribute(L"index") = i % 3;
  }
  return doc;
}

}  // namespace

TEST_CASE("sxml sweep: damage fails and leaves the document, or reads back to itself") {
  const std::wstring path = TempFile(L"sweep.sxml");
  for (bool wide : {false, true}) {
    CAPTURE(wide);
    const std::string input = Encode(Sample(wide), path);
    REQUIRE(!input.empty());
    pugi::xml_document doc;
    const sweep::Result r =
        sweep::Run("sxml", input, kMutations, [&](const std::string& bytes, bool truncated) {
          doc.reset();
          doc.append_child(L"untouched");
          const std::string before = TreeText(doc);
          if (SBinaryXml::Load(doc, bytes.data(), bytes.size()).status != pugi::status_ok) {
            return TreeText(doc) == before;
          }
          if (truncated) return false;
          const std::string tree = TreeText(doc);
          pugi::xml_document again;
          const std::string saved = Encode(doc, path);
          return !saved.empty() &&
                 SBinaryXml::Load(again, saved.data(), saved.size()).status == pugi::status_ok &&
                 TreeText(again) == tree;
        });
    CHECK_MESSAGE(r.failures == 0, "first failing case: ", r.firstFailure, ", seed ",
                  sweep::Seed());
  }
  DeleteFileW(path.c_str());
}
