// A table of named values (colours, dimensions, strings, IDs) loaded from the children of a
// UI-definition element and kept sorted by name (case-sensitive, code-unit order), so that a
// lookup is a binary search. Parser turns a definition's "value" text into a T.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include <pugixml.hpp>

#include "base/SArray.h"
#include "base/SString.h"

namespace SWUI {

template <class T, class Parser>
class SNamedValue {
 public:
  // A name fills at most 49 characters of the entry's 51-character field; longer names are
  // refused in definitions and never found by lookups.
  static constexpr size_t kMaxNameLength = 49;

  struct Entry {
    wchar_t strName[kMaxNameLength + 2];
    T value;
  };

  // missing is what lookups give for a name that is not defined.
  explicit SNamedValue(const T& missing = T()) : m_missing(missing) {}
  virtual ~SNamedValue() = default;

  // Adds one entry per child element whose "value" the parser accepts, named after the
  // child's element name. 0 when the element is empty, else 1. The entries are appended and
  // sorted once at the end (stable, so earlier definitions of a name stay first): inserting
  // each at its place would move the table's tail for every entry.
  int Init(pugi::xml_node xmlNode) {
    if (!xmlNode) return 0;
    for (pugi::xml_node child = xmlNode.first_child(); child; child = child.next_sibling()) {
      if (child.type() != pugi::node_element || !FitsName(child.name())) continue;
      Entry entry;
      entry.value = m_missing;
      if (!Parser::ParseValue(SStringW(child.attribute(L"value").value()), entry.value)) continue;
      wcscpy(entry.strName, child.name());
      m_entries.Add(std::move(entry));
    }
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
      return wcscmp(a.strName, b.strName) < 0;
    });
    return 1;
  }

  // Inserts an entry at its sorted place, after entries of the same name (so that the first
  // definition of a name is the one found). False for a name that does not fit.
  bool Add(LPCWSTR name, const T& value) {
    if (!FitsName(name)) return false;
    Entry entry;
    wcscpy(entry.strName, name);
    entry.value = value;
    size_t lo = 0, hi = m_entries.GetCount();
    while (lo < hi) {
      size_t mid = lo + (hi - lo) / 2;
      if (wcscmp(m_entries[mid].strName, name) <= 0) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    return m_entries.InsertAt(lo, entry);
  }

  // The value defined for name; false when there is none.
  bool FindValue(LPCWSTR name, T& value) const {
    if (!FitsName(name)) return false;
    size_t lo = 0, hi = m_entries.GetCount();
    while (lo < hi) {
      size_t mid = lo + (hi - lo) / 2;
      if (wcscmp(m_entries[mid].strName, name) < 0) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    if (lo == m_entries.GetCount() || wcscmp(m_entries[lo].strName, name) != 0) return false;
    value = m_entries[lo].value;
    return true;
  }

  // The value at an index in name order; the missing value outside the table.
  T GetAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_entries.GetCount()) return m_missing;
    return m_entries[static_cast<size_t>(index)].value;
  }
  LPCWSTR GetNameAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_entries.GetCount()) return nullptr;
    return m_entries[static_cast<size_t>(index)].strName;
  }
  int GetCount() const { return static_cast<int>(m_entries.GetCount()); }
  const T& GetMissingValue() const { return m_missing; }

 protected:
  static bool FitsName(LPCWSTR name) {
    return name != nullptr && wcsnlen(name, kMaxNameLength + 1) <= kMaxNameLength;
  }

 private:
  SArray<Entry> m_entries;
  T m_missing;
};

}  // namespace SWUI
