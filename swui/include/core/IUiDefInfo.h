// One loaded UI definition: default font, named values, skins, styles and class default
// attributes. The setters release the old object and hold a reference to the new one (the same
// pointer changes nothing).
#pragma once
#include "core/FontInfo.h"
#include "base/IObjRef.h"

namespace SWUI {

class SSkinPool;
class SStylePool;
class SObjDefAttr;
class SNamedColor;
class SNamedString;
class SNamedDimension;

struct IUiDefInfo : public IObjRef {
  virtual void SetSkinPool(SSkinPool* pool) = 0;
  virtual SSkinPool* GetSkinPool() = 0;
  virtual void SetStylePool(SStylePool* pool) = 0;
  virtual SStylePool* GetStylePool() = 0;
  virtual void SetObjDefAttr(SObjDefAttr* defAttr) = 0;
  virtual SObjDefAttr* GetObjDefAttr() = 0;
  virtual SNamedColor& GetNamedColor() = 0;
  virtual SNamedString& GetNamedString() = 0;
  virtual SNamedDimension& GetNamedDimension() = 0;
  virtual const FontInfo& GetDefFontInfo() = 0;
  virtual ~IUiDefInfo() = default;
};

}  // namespace SWUI
