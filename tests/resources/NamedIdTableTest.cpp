// The named-ID table generated from the layouts: sorted for the framework's bisection, every
// name once, the hand-set ids kept, the others numbered after "_name_start", and each name one
// that a layout uses.
#include <doctest/doctest.h>

#include <cwchar>
#include <iterator>
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
    if (kNamedIdTable[i].value <= 65535) continue;
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
  // The program's own list of names (with "_name_start" the 77 it knows) is among them; the
  // progress dialog's "progress_bar" comes from a layout the program leaves to its builder.
  const wchar_t* const programNames[] = {
      L"APWnd", L"LoadingWnd", L"STAWnd", L"orv_chromeTab", L"orv_tab", L"orv_tab_switch", L"btnAdd",
      L"btnCancel", L"btnConnect", L"btnDelete", L"btnDisconnect", L"btnOK", L"btnRecall", L"btnSave",
      L"btnSwitch", L"btn_close", L"btn_explain", L"btn_mainmenu", L"btn_max", L"btn_min", L"btn_restore",
      L"button1st", L"button2nd", L"button3rd", L"center_eq", L"connecting_name", L"containerWnd", L"devMode",
      L"dev_connect_state", L"edit_spin", L"effWnd", L"effect_eq", L"eq_curve", L"ip_txt", L"main_eq",
      L"main_scrollview", L"main_volume", L"micWnd", L"mic_eq", L"micparam_tab", L"modeWnd", L"msgicon",
      L"msgtext", L"msgtitle", L"musicWnd", L"music_eq", L"scrollview_image", L"setaddressswnd",
      L"setpasswordwnd", L"spdif_connect_state", L"stapasswordunableWnd", L"sub_eq", L"sur_eq",
      L"tab_page_center", L"tab_page_effect", L"tab_page_main", L"tab_page_mic", L"tab_page_music",
      L"tab_page_sub", L"tab_page_sur", L"txt_connectstatu", L"txt_input", L"txt_msg", L"txt_name_input",
      L"txt_notconnectstatu", L"txt_password2_input", L"txt_password_input", L"txt_port_input", L"txt_pwd",
      L"txt_pwd_new1", L"txt_pwd_new2", L"txt_pwd_origin", L"txt_tip", L"txt_title", L"txt_wait",
      L"wifiname_list"};
  for (const wchar_t* name : programNames) {
    INFO(Narrow(name));
    CHECK(table.count(name) == 1);
  }
  CHECK(table.size() == std::size(programNames) + 1);
  CHECK(table.count(L"progress_bar") == 1);
}
