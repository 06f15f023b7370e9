// The XML-facing side of every creatable framework object: class identity, attributes by
// name and initialisation from an XML element.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "base/SString.h"

namespace SWUI {

// Kind of a creatable class; the factory registry keys classes by name and kind.
enum ObjectType {
  OBJ_TYPE_UNDEF = -1,
  OBJ_TYPE_WINDOW = 1,
  OBJ_TYPE_SKIN = 2,
  OBJ_TYPE_LAYOUT = 3,
  OBJ_TYPE_INTERPOLATOR = 4,
};

struct IObject {
  virtual ~IObject() = default;

  // True for the class's own name and the names of its base classes (case-sensitive).
  virtual BOOL IsClass(LPCWSTR className) const = 0;
  // The class's own name, which is also its XML tag.
  virtual LPCWSTR GetObjectClass() const = 0;
  virtual int GetObjectType() const = 0;

  // Sets one attribute: S_OK when taken, E_FAIL when no class in the chain knows the name,
  // other codes (E_INVALIDARG) from the class. bLoading is TRUE while built from XML.
  virtual HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) = 0;
  // Narrow forms: converted through the ANSI code page, then the wide form.
  virtual HRESULT SetAttribute(const SStringA& name, const SStringA& value, BOOL bLoading) = 0;
  virtual HRESULT SetAttribute(LPCSTR name, LPCSTR value, BOOL bLoading) = 0;
  // Sees each attribute's result and returns the one to report.
  virtual HRESULT AfterAttribute(const SStringW& name, const SStringW& value, BOOL bLoading,
                                 HRESULT hr) = 0;

  virtual int GetID() const = 0;
  virtual LPCWSTR GetName() const = 0;

  // Applies the element's unmarked attributes in document order, then OnInitFinished.
  virtual BOOL InitFromXml(pugi::xml_node xmlNode) = 0;
  // The end of the attribute chain.
  virtual HRESULT DefAttributeProc(const SStringW& name, const SStringW& value,
                                   BOOL bLoading) = 0;
  virtual void OnInitFinished(pugi::xml_node xmlNode) = 0;
  virtual SStringW GetAttribute(const SStringW& name) const = 0;
};

}  // namespace SWUI
