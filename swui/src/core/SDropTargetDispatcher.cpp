#include "core/SDropTargetDispatcher.h"

#include "core/ISwndElement.h"

namespace SWUI {

SDropTargetDispatcher::SDropTargetDispatcher(ISwndElement* root) : m_root(root) {}

SDropTargetDispatcher::~SDropTargetDispatcher() {
  SetDataObject(nullptr);
  for (SPOSITION pos = m_targets.GetStartPosition(); pos != nullptr;) {
    m_targets.GetNext(pos)->m_value->Release();
  }
  m_targets.RemoveAll();
}

BOOL SDropTargetDispatcher::RegisterDragDrop(SwndHandle swnd, IDropTarget* target) {
  if (target == nullptr || m_targets.Lookup(swnd) != nullptr) return FALSE;
  if (m_targets.SetAt(swnd, target) == nullptr) return FALSE;
  target->AddRef();
  return TRUE;
}

BOOL SDropTargetDispatcher::RevokeDragDrop(SwndHandle swnd) {
  IDropTarget* target = TargetOf(swnd);
  if (target == nullptr) return FALSE;
  m_targets.RemoveKey(swnd);
  target->Release();
  return TRUE;
}

IDropTarget* SDropTargetDispatcher::TargetOf(SwndHandle swnd) const {
  IDropTarget* target = nullptr;
  return m_targets.Lookup(swnd, target) ? target : nullptr;
}

void SDropTargetDispatcher::SetDataObject(IDataObject* data) {
  if (data != nullptr) data->AddRef();
  if (m_data != nullptr) m_data->Release();
  m_data = data;
}

HRESULT SDropTargetDispatcher::QueryInterface(REFIID riid, void** ppvObject) {
  if (ppvObject == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
    *ppvObject = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  *ppvObject = nullptr;
  return E_NOINTERFACE;
}

HRESULT SDropTargetDispatcher::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                         DWORD* pdwEffect) {
  SetDataObject(pDataObj);
  return DragOver(grfKeyState, pt, pdwEffect);
}

template <class Call>
bool SDropTargetDispatcher::Tell(SwndHandle swnd, Call call) {
  IDropTarget* target = TargetOf(swnd);
  if (target == nullptr) return false;
  // A target may revoke itself while it is told.
  target->AddRef();
  call(target);
  target->Release();
  return true;
}

HRESULT SDropTargetDispatcher::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  if (pdwEffect != nullptr) *pdwEffect = DROPEFFECT_NONE;
  SwndHandle hit = 0;
  if (m_root != nullptr) {
    POINT client = {pt.x, pt.y};
    ScreenToClient(m_root->ContainerHostHwnd(), &client);
    hit = m_root->SwndFromPoint(client, FALSE);
  }
  if (hit != m_hover) {
    SwndHandle left = m_hover;
    m_hover = hit;
    Tell(left, [](IDropTarget* t) { t->DragLeave(); });
    Tell(hit, [&](IDropTarget* t) { t->DragEnter(m_data, grfKeyState, pt, pdwEffect); });
  } else {
    Tell(hit, [&](IDropTarget* t) { t->DragOver(grfKeyState, pt, pdwEffect); });
  }
  return S_OK;
}

HRESULT SDropTargetDispatcher::DragLeave() {
  SwndHandle left = m_hover;
  m_hover = 0;
  Tell(left, [](IDropTarget* t) { t->DragLeave(); });
  SetDataObject(nullptr);
  return S_OK;
}

HRESULT SDropTargetDispatcher::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                    DWORD* pdwEffect) {
  SwndHandle over = m_hover;
  m_hover = 0;
  bool told = Tell(over, [&](IDropTarget* t) { t->Drop(pDataObj, grfKeyState, pt, pdwEffect); });
  if (!told && pdwEffect != nullptr) *pdwEffect = DROPEFFECT_NONE;
  SetDataObject(nullptr);
  return S_OK;
}

}  // namespace SWUI
