// Every element the program looks up (ExpectedBindings.h) is in its layout exactly once, of a
// tag whose class test answers the class the lookup asks for; every tag the layouts use is a
// control the program registers.
#include <doctest/doctest.h>

#include <functional>
#include <string>
#include <vector>

#include "EmbeddedResources.h"
#include "ExpectedBindings.h"

namespace {

std::vector<pugi::xml_node> Matching(const pugi::xml_document& doc, const ExpectedBinding& b) {
  std::vector<pugi::xml_node> found;
  ForEachElement(doc, [&](pugi::xml_node e) {
    if (b.name != nullptr ? std::wstring(e.attribute(L"name").value()) == b.name : EffectiveId(e) == b.id) {
      found.push_back(e);
    }
  });
  return found;
}

std::string Describe(const ExpectedBinding& b) {
  return Narrow(b.layout) + (b.name ? " name " + Narrow(b.name) : " id " + std::to_string(b.id)) + " as " +
         Narrow(b.cls);
}

}  // namespace

TEST_CASE("every element the program looks up is in its layout once, of the class it asks for") {
  int failures = 0;
  for (const ExpectedBinding& b : kExpectedBindings) {
    const pugi::xml_document& doc = Resources().ExpandedLayout(b.layout);
    const std::vector<pugi::xml_node> found = Matching(doc, b);
    bool ok = found.size() == 1 && TagIsClass(found[0].name(), b.cls) && (b.id == 0 || EffectiveId(found[0]) == b.id);
    if (ok && b.buddyName != nullptr) {
      // The buddy is looked up by name among the element's siblings.
      int buddies = 0;
      for (pugi::xml_node s : found[0].parent().children()) {
        if (std::wstring(s.attribute(L"name").value()) != b.buddyName) continue;
        ++buddies;
        ok = ok && EffectiveId(s) == b.buddyId && TagIsClass(s.name(), b.buddyCls);
      }
      ok = ok && buddies == 1 && std::wstring(found[0].attribute(L"buddy").value()) == b.buddyName;
    }
    if (!ok) {
      ++failures;
      MESSAGE(Describe(b) << ": found " << found.size() << (found.empty() ? "" : " as " + Narrow(found[0].name())));
    }
  }
  CHECK(failures == 0);
}

TEST_CASE("the message box template has one, two and three buttons on the pages of btnSwitch") {
  pugi::xml_node sw = Resources().ExpandedLayout(L"XML_MSGBOX").find_node([](pugi::xml_node n) {
    return std::wstring(n.attribute(L"name").value()) == L"btnSwitch";
  });
  REQUIRE(sw);
  const wchar_t* names[] = {L"button1st", L"button2nd", L"button3rd"};
  int page = 0;
  for (pugi::xml_node p : sw.children(L"page")) {
    ++page;
    for (int i = 0; i < 3; ++i) {
      pugi::xml_node b = p.find_child_by_attribute(L"name", names[i]);
      CHECK(static_cast<bool>(b) == (i < page));
      if (b) CHECK(TagIsClass(b.name(), L"button"));
    }
  }
  CHECK(page == 3);
  pugi::xml_node box = Resources().Xml(L"LAYOUT", L"XML_MSGBOX").child(L"SWUI");
  CHECK(std::wstring(box.attribute(L"frameSize").value()) != L"");
  CHECK(std::wstring(box.attribute(L"minSize").value()) != L"");
}

TEST_CASE("every tag of the layouts is a control the program registers") {
  for (const auto& layout : EmbeddedResources::LayoutNames()) {
    pugi::xml_node root = Resources().ExpandedLayout(layout.c_str()).child(L"SWUI").child(L"root");
    if (!root) continue;  // the page layouts are checked inside the main window
    std::vector<std::wstring> unknown;
    // The children of a combo box and of the tab strip are item and style descriptions.
    std::function<void(pugi::xml_node)> walk = [&](pugi::xml_node n) {
      for (pugi::xml_node c : n.children()) {
        if (c.type() != pugi::node_element) continue;
        if (!TagIsClass(c.name(), L"window")) unknown.push_back(c.name());
        const std::wstring tag = c.name();
        if (tag != L"combobox" && tag != L"chromeTabCtrl") walk(c);
      }
    };
    walk(root);
    INFO(Narrow(layout));
    for (const auto& u : unknown) MESSAGE("unknown tag " << Narrow(u));
    CHECK(unknown.empty());
  }
}
