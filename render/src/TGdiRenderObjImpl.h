// The base of the GDI render objects: an interlocked reference count starting at one (the
// final release deletes the object), the owning factory (not counted: the factory outlives
// what it makes) and the object type. The IObject part keeps its defaults; every class names
// itself with SWUI_CLASS_NAME_EX and takes no attributes.
#pragma once
#include <windows.h>

#include "IRenderFactory.h"
#include "IRenderObj.h"
#include "base/SObjectImpl.h"

namespace SWUI {

template <class T, int kObjectType>
class TGdiRenderObjImpl : public SObjectImpl<T> {
 public:
  explicit TGdiRenderObjImpl(IRenderFactory* pRenderFactory) : factory_(pRenderFactory) {}
  TGdiRenderObjImpl(const TGdiRenderObjImpl&) = delete;
  TGdiRenderObjImpl& operator=(const TGdiRenderObjImpl&) = delete;
  ~TGdiRenderObjImpl() override = default;

  LONG AddRef() override { return InterlockedIncrement(&ref_); }
  LONG Release() override {
    const LONG n = InterlockedDecrement(&ref_);
    if (n == 0) OnFinalRelease();
    return n;
  }
  void OnFinalRelease() override { delete this; }

  int ObjectType() const override { return kObjectType; }
  IRenderFactory* GetRenderFactory() const override { return factory_; }

 protected:
  IRenderFactory* factory_;

 private:
  volatile LONG ref_ = 1;
};

}  // namespace SWUI
