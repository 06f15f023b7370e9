// The one OLE drop target of a host window: it hands a drag to the drop target registered for
// the element under the cursor (the element hit, never an ancestor). Owned by its container,
// so AddRef and Release do nothing. Used on the UI thread.
#pragma once
#include <ole2.h>

#include "core/SCmnMap.h"
#include "core/SwndHandle.h"

namespace SWUI {

struct ISwndElement;

class SDropTargetDispatcher : public IDropTarget {
 public:
  // root: the root element of the host, hit-tested for every move.
  explicit SDropTargetDispatcher(ISwndElement* root);
  // Releases the data object of a drag in progress and every registered target.
  virtual ~SDropTargetDispatcher();
  SDropTargetDispatcher(const SDropTargetDispatcher&) = delete;
  SDropTargetDispatcher& operator=(const SDropTargetDispatcher&) = delete;

  // Keeps a reference to target; FALSE when the element has one already (which stays).
  BOOL RegisterDragDrop(SwndHandle swnd, IDropTarget* target);
  // Releases the element's target; FALSE when it had none.
  BOOL RevokeDragDrop(SwndHandle swnd);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // Keeps the data object, then as DragOver.
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                      DWORD* pdwEffect) override;
  // Effect DROPEFFECT_NONE unless a target sets one. Moving onto another element: the old
  // one's target gets DragLeave and the new one's DragEnter; on the same element its target
  // gets DragOver.
  HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
  // The current element's target gets DragLeave; the drag then is over no element.
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  // The current element's target gets Drop; the drag then is over no element.
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                 DWORD* pdwEffect) override;

  // The element the drag is over, 0 for none.
  SwndHandle GetHoverSwnd() const { return m_hover; }

 private:
  IDropTarget* TargetOf(SwndHandle swnd) const;
  // Calls call(target) for the element's target, holding a reference meanwhile; false when
  // the element has none.
  template <class Call>
  bool Tell(SwndHandle swnd, Call call);
  void SetDataObject(IDataObject* data);

  ISwndElement* m_root;
  SCmnMap<SwndHandle, IDropTarget*> m_targets{17};
  IDataObject* m_data = nullptr;
  SwndHandle m_hover = 0;
};

}  // namespace SWUI
