// Default implementation of IObject (or of an interface derived from it) for classes to derive
// from, and the class-identity declaration every concrete class carries.
#pragma once
#include <cwchar>

#include "base/IObject.h"
#include "base/SXmlMark.h"

namespace SWUI {

template <class T = IObject>
class SObjectImpl : public T {
 public:
  // Name and kind at the root of every class chain; "object" is the base name that the
  // factory registry reports for a class directly above the root.
  static LPCWSTR ClassName() { return L"object"; }
  static int ClassType() { return OBJ_TYPE_UNDEF; }

  BOOL IsClass(LPCWSTR) const override { return FALSE; }
  LPCWSTR GetObjectClass() const override { return nullptr; }
  int GetObjectType() const override { return OBJ_TYPE_UNDEF; }

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override {
    return DefAttributeProc(name, value, bLoading);
  }
  HRESULT SetAttribute(const SStringA& name, const SStringA& value, BOOL bLoading) override {
    return SetAttribute(StringA2W(name, CP_ACP), StringA2W(value, CP_ACP), bLoading);
  }
  HRESULT SetAttribute(LPCSTR name, LPCSTR value, BOOL bLoading) override {
    return SetAttribute(StringA2W(SStringA(name), CP_ACP), StringA2W(SStringA(value), CP_ACP),
                        bLoading);
  }
  HRESULT AfterAttribute(const SStringW&, const SStringW&, BOOL, HRESULT hr) override {
    return hr;
  }

  int GetID() const override { return 0; }
  LPCWSTR GetName() const override { return nullptr; }

  BOOL InitFromXml(pugi::xml_node xmlNode) override {
    if (!xmlNode) return FALSE;
    for (pugi::xml_attribute attr = xmlNode.first_attribute(); attr;
         attr = attr.next_attribute()) {
      if (SXmlMark::IsMarked(attr)) continue;
      SetAttribute(SStringW(attr.name()), SStringW(attr.value()), TRUE);
    }
    OnInitFinished(xmlNode);
    return TRUE;
  }

  HRESULT DefAttributeProc(const SStringW&, const SStringW&, BOOL) override { return E_FAIL; }
  void OnInitFinished(pugi::xml_node) override {}
  SStringW GetAttribute(const SStringW&) const override { return SStringW(); }
};

}  // namespace SWUI

// Class identity of a concrete class, placed in its body: its own name (also its XML tag), its
// kind, and its direct base, whose IsClass answers for the names further up the chain.
// Base must be one token (use a type alias for a template with several arguments).
#define SWUI_CLASS_NAME_EX(Base, name, type)                                   \
 public:                                                                       \
  static LPCWSTR ClassName() { return name; }                                  \
  static LPCWSTR BaseClassName() { return Base::ClassName(); }                 \
  static int ClassType() { return type; }                                      \
  LPCWSTR GetObjectClass() const override { return name; }                     \
  int GetObjectType() const override { return type; }                          \
  BOOL IsClass(LPCWSTR className) const override {                             \
    if (className != nullptr && std::wcscmp(className, name) == 0) return TRUE; \
    return Base::IsClass(className);                                           \
  }

// The same with the base's kind.
#define SWUI_CLASS_NAME(Base, name) SWUI_CLASS_NAME_EX(Base, name, Base::ClassType())
