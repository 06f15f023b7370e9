// The named-ID table generated from the layouts: sorted for the framework's bisection, every
// name once, the hand-set ids kept, the others numbered after "_name_start", and each name one
// that a layout uses.
#include <doctest/doctest.h>

#include <cwchar>
#include <set>
#include <string>

#include "EmbeddedResources.h"
#include "NamedIdTable.h"
#include "res.mgr/SNamedID.h"

TEST_CASE("the named-ID table is sorted and unique, with the hand-set ids and 65535 as the mark") {
  REQUIRE(kNamedIdCount > 1);
  for (int i = 1; i < kNamedIdCount; ++i) {
    INFO(Narrow(kNamedIdTable[i].strName));
    CHECK(std::wcscmp(kNamedIdTable[i - 1].strName, kNamedIdTable[i].strName) < 0);
  }
  SWUI::SNamedID lookup;
  for (int i = 0; i < kNamedIdCount; ++i) lookup.Add(kNamedIdTable[i].strName, kNamedIdTable[i].value);

  struct Known {
    const wchar_t* name;
    int id;
  };
  for (const Known k : {Known{L"btnOK", 1}, Known{L"btnAdd", 1}, Known{L"btnSave", 1}, Known{L"btnConnect", 1},
                        Known{L"btnDisconnect", 1}, Known{L"orv_chromeTab", 997}, Known{L"orv_tab_switch", 998},
                        Known{L"orv_tab", 999}, Known{L"btn_mainmenu", 6000}, Known{L"edit_spin", 7100},
                        Known{L"_name_start", 65535}}) {
    INFO(Narrow(k.name));
    CHECK(lookup.Get(k.name) == k.id);
  }
  // Names without a hand-set id take 65536, 65537, ... in table order, each its own.
  int next = 65536;
  for (int i = 0; i < kNamedIdCount; ++i) {
    if (kNamedIdTable[i].value < 65535) continue;
    if (kNamedIdTable[i].value == 65535) continue;
    CHECK(kNamedIdTable[i].value == next);
    ++next;
  }
  CHECK(lookup.Get(L"btnCancel") > 65535);
  CHECK(lookup.Get(L"no_such_name") == 0);
}

TEST_CASE("the named-ID table holds exactly the element names of the layouts") {
  std::set<std::wstring> used;
  for (const auto& layout : EmbeddedResources::LayoutNames()) {
    ForEachElement(Resources().Xml(L"LAYOUT", layout.c_str()), [&](pugi::xml_node e) {
      if (e.attribute(L"name")) used.insert(e.attribute(L"name").value());
    });
  }
  std::set<std::wstring> table;
  for (int i = 0; i < kNamedIdCount; ++i) table.insert(kNamedIdTable[i].strName);
  table.erase(L"_name_start");
  CHECK(table == used);
  // The names the program itself relies on are among them.
  for (const wchar_t* name : {L"APWnd", L"LoadingWnd", L"STAWnd", L"btnRecall", L"btnDelete", L"btnSwitch",
                              L"button1st", L"msgtitle", L"scrollview_image", L"txt_tip", L"wifiname_list"}) {
    CHECK(table.count(name) == 1);
  }
}
