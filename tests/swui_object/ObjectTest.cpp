#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "core/EventArgs.h"
#include "base/SObjectImpl.h"
#include "base/SXmlMark.h"
#include "base/TObjRefImpl.h"

using namespace SWUI;

namespace {

// A three-level chain: Leaf -> Middle -> Root -> SObjectImpl, each knowing one attribute and
// recording every call that reaches it.
class Root : public TObjRefImpl<IObjRef>, public SObjectImpl<IObject> {
  SWUI_CLASS_NAME_EX(SObjectImpl<IObject>, L"root", OBJ_TYPE_WINDOW)

 public:
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override {
    calls.push_back(std::wstring(L"root:") + static_cast<LPCWSTR>(name) + L"=" +
                    static_cast<LPCWSTR>(value) + (bLoading ? L"+" : L"-"));
    if (name == L"id") {
      id = _wtoi(value);
      return S_OK;
    }
    return SObjectImpl<IObject>::SetAttribute(name, value, bLoading);
  }
  int GetID() const override { return id; }
  LPCWSTR GetName() const override { return L"rootName"; }
  void OnInitFinished(pugi::xml_node) override { calls.push_back(L"finished"); }

  std::vector<std::wstring> calls;
  int id = 0;
};

class Middle : public Root {
  SWUI_CLASS_NAME(Root, L"middle")

 public:
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override {
    if (name == L"size") {
      if (value.IsEmpty()) return E_INVALIDARG;
      calls.push_back(L"middle:size");
      return S_OK;
    }
    return Root::SetAttribute(name, value, bLoading);
  }
};

class Leaf : public Middle {
  SWUI_CLASS_NAME(Middle, L"leaf")

 public:
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override {
    if (name == L"colour") {
      calls.push_back(L"leaf:colour");
      return S_OK;
    }
    return Middle::SetAttribute(name, value, bLoading);
  }
};

template <class T>
void Destroy(T* obj) {
  static_cast<TObjRefImpl<IObjRef>*>(obj)->Release();
}

}  // namespace

TEST_CASE("IsClass walks the chain of bases and compares case-sensitively") {
  Leaf* leaf = new Leaf;
  IObject* obj = leaf;
  struct Case {
    LPCWSTR name;
    BOOL expected;
  };
  const Case cases[] = {
      {L"leaf", TRUE},   {L"middle", TRUE}, {L"root", TRUE},    {L"Leaf", FALSE},
      {L"ROOT", FALSE},  {L"object", FALSE}, {L"", FALSE},      {nullptr, FALSE},
      {L"leaf ", FALSE}, {L"lea", FALSE},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name ? std::wstring(c.name) : std::wstring(L"(null)"));
    CHECK(obj->IsClass(c.name) == c.expected);
  }
  CHECK(std::wstring(obj->GetObjectClass()) == L"leaf");
  CHECK(obj->GetObjectType() == OBJ_TYPE_WINDOW);
  CHECK(std::wstring(Leaf::BaseClassName()) == L"middle");
  CHECK(std::wstring(Root::BaseClassName()) == L"object");
  Destroy(leaf);
}

TEST_CASE("SObjectImpl defaults") {
  struct Plain : SObjectImpl<IObject> {};
  Plain p;
  CHECK(p.IsClass(L"object") == FALSE);
  CHECK(p.GetObjectClass() == nullptr);
  CHECK(p.GetObjectType() == -1);
  CHECK(p.GetID() == 0);
  CHECK(p.GetName() == nullptr);
  CHECK(p.SetAttribute(SStringW(L"x"), SStringW(L"1"), TRUE) == E_FAIL);
  CHECK(p.AfterAttribute(SStringW(L"x"), SStringW(L"1"), TRUE, E_INVALIDARG) == E_INVALIDARG);
  CHECK(p.GetAttribute(SStringW(L"x")).IsEmpty());
}

TEST_CASE("attributes go to the class that knows them; unknown ones end in E_FAIL") {
  Leaf* leaf = new Leaf;
  IObject* obj = leaf;
  CHECK(obj->SetAttribute(SStringW(L"colour"), SStringW(L"red"), FALSE) == S_OK);
  CHECK(obj->SetAttribute(SStringW(L"size"), SStringW(L"3"), FALSE) == S_OK);
  CHECK(obj->SetAttribute(SStringW(L"size"), SStringW(L""), FALSE) == E_INVALIDARG);
  CHECK(obj->SetAttribute(SStringW(L"id"), SStringW(L"42"), FALSE) == S_OK);
  CHECK(obj->GetID() == 42);
  CHECK(obj->SetAttribute(SStringW(L"unknown"), SStringW(L"1"), FALSE) == E_FAIL);
  // Names are matched exactly.
  CHECK(obj->SetAttribute(SStringW(L"Colour"), SStringW(L"red"), FALSE) == E_FAIL);
  Destroy(leaf);
}

TEST_CASE("narrow SetAttribute forms reach the wide handler through the ANSI code page") {
  Leaf* leaf = new Leaf;
  IObject* obj = leaf;
  CHECK(obj->SetAttribute("id", "7", TRUE) == S_OK);
  CHECK(obj->GetID() == 7);
  CHECK(obj->SetAttribute(SStringA("id"), SStringA("9"), FALSE) == S_OK);
  CHECK(obj->GetID() == 9);
  CHECK(obj->SetAttribute("nothing", "x", FALSE) == E_FAIL);
  REQUIRE(leaf->calls.size() == 3);
  CHECK(leaf->calls[0] == L"root:id=7+");
  CHECK(leaf->calls[1] == L"root:id=9-");
  Destroy(leaf);
}

TEST_CASE("InitFromXml applies unmarked attributes in document order, then finishes") {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(L"<leaf b='2' colour='c' id='5' size='s' a='1'/><empty/>"));
  pugi::xml_node node = doc.child(L"leaf");

  SUBCASE("every attribute in order") {
    Leaf leaf;
    CHECK(leaf.InitFromXml(node) == TRUE);
    std::vector<std::wstring> expected = {L"root:b=2+", L"leaf:colour", L"root:id=5+",
                                          L"middle:size", L"root:a=1+", L"finished"};
    CHECK(leaf.calls == expected);
  }
  SUBCASE("marked attributes are skipped") {
    SXmlMark::SetMark(node.attribute(L"id"), 1);
    SXmlMark::SetMark(node.attribute(L"a"), 1);
    Leaf leaf;
    CHECK(leaf.InitFromXml(node) == TRUE);
    std::vector<std::wstring> expected = {L"root:b=2+", L"leaf:colour", L"middle:size",
                                          L"finished"};
    CHECK(leaf.calls == expected);
    CHECK(leaf.GetID() == 0);
    SXmlMark::ClearMarks(doc);
    CHECK_FALSE(SXmlMark::IsMarked(node.attribute(L"id")));
  }
  SUBCASE("an element without attributes only finishes") {
    Leaf leaf;
    CHECK(leaf.InitFromXml(doc.child(L"empty")) == TRUE);
    CHECK(leaf.calls == std::vector<std::wstring>{L"finished"});
  }
  SUBCASE("an empty node does nothing") {
    Leaf leaf;
    CHECK(leaf.InitFromXml(pugi::xml_node()) == FALSE);
    CHECK(leaf.calls.empty());
  }
}

TEST_CASE("EventArgs takes the sender's id and name") {
  Root* sender = new Root;
  sender->id = 12;
  EventArgs withSender(sender);
  CHECK(withSender.idFrom == 12);
  CHECK(std::wstring(withSender.nameFrom) == L"rootName");
  CHECK(withSender.sender == sender);
  CHECK(withSender.bubbleUp);
  CHECK(withSender.handled == 0);
  CHECK(withSender.GetRefCount() == 1);
  CHECK(std::wstring(withSender.GetObjectClass()) == L"eventargs");
  CHECK(withSender.GetObjectType() == -1);
  CHECK(withSender.GetID() == 0);

  EventArgs alone(nullptr);
  CHECK(alone.idFrom == 0);
  CHECK(alone.nameFrom == nullptr);
  Destroy(sender);
}
