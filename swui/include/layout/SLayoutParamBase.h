// The size half of every layout parameter: "width", "height" and "size", and the parameter
// queries over them. As the linear and grid parameters answer: only an explicit wrap content
// wraps, and a size asked for Any or Both is zero pixels.
#pragma once
#include "base/SObjectImpl.h"
#include "base/TObjRefImpl.h"
#include "layout/ILayoutParam.h"

namespace SWUI {

class SLayoutParamBase : public TObjRefImpl<SObjectImpl<ILayoutParam>> {
 public:
  // acceptFull: "full" is a word for match parent (the anchor parameter's).
  explicit SLayoutParamBase(bool acceptFull) : m_acceptFull(acceptFull) {}

  // "width", "height" ("matchParent", "wrapContent" or a size) and "size" ("w,h"; E_FAIL
  // unless two parts); E_NOTIMPL for any other name.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SObjectImpl<ILayoutParam>::SetAttribute;

  bool IsMatchParent(ORIENTATION orientation) const override;
  bool IsWrapContent(ORIENTATION orientation) const override;
  bool IsSpecifiedSize(ORIENTATION orientation) const override;
  SLayoutSize GetSpecifiedSize(ORIENTATION orientation) const override;
  void SetMatchParent(ORIENTATION orientation) override;
  void SetWrapContent(ORIENTATION orientation) override;
  void SetSpecifiedSize(ORIENTATION orientation, const SLayoutSize& size) override;

 protected:
  // The width and height inside the derived class's data block.
  virtual SLayoutSize& Width() = 0;
  virtual SLayoutSize& Height() = 0;
  const SLayoutSize& Width() const { return const_cast<SLayoutParamBase*>(this)->Width(); }
  const SLayoutSize& Height() const { return const_cast<SLayoutParamBase*>(this)->Height(); }

 private:
  const bool m_acceptFull;
};

}  // namespace SWUI
