#include "base/SXmlMark.h"

#include <mutex>
#include <unordered_map>

namespace SWUI {

namespace {

// Marks are few and short-lived: a plain map from attribute or element node to value.
struct MarkTable {
  std::mutex lock;
  std::unordered_map<const void*, int> marks;
};

MarkTable& Table() {
  static MarkTable table;
  return table;
}

void ClearAttributes(MarkTable& table, const pugi::xml_node& node) {
  table.marks.erase(node.internal_object());
  for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
    table.marks.erase(attr.internal_object());
  }
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    ClearAttributes(table, child);
  }
}

void SetMarkOf(const void* key, int value) {
  MarkTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  if (value == 0) {
    table.marks.erase(key);
  } else {
    table.marks[key] = value;
  }
}

int GetMarkOf(const void* key) {
  MarkTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  if (table.marks.empty()) return 0;
  auto it = table.marks.find(key);
  return it == table.marks.end() ? 0 : it->second;
}

}  // namespace

void SXmlMark::SetMark(const pugi::xml_attribute& attr, int value) {
  if (attr) SetMarkOf(attr.internal_object(), value);
}

int SXmlMark::GetMark(const pugi::xml_attribute& attr) {
  return attr ? GetMarkOf(attr.internal_object()) : 0;
}

void SXmlMark::SetMark(const pugi::xml_node& node, int value) {
  if (node) SetMarkOf(node.internal_object(), value);
}

int SXmlMark::GetMark(const pugi::xml_node& node) {
  return node ? GetMarkOf(node.internal_object()) : 0;
}

void SXmlMark::ClearMarks(const pugi::xml_node& node) {
  if (!node) return;
  MarkTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  if (table.marks.empty()) return;
  ClearAttributes(table, node);
}

}  // namespace SWUI
