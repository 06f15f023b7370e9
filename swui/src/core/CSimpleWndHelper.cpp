#include "core/CSimpleWndHelper.h"

#include "core/SLog.h"

namespace SWUI {

CSimpleWndHelper::CSimpleWndHelper(HINSTANCE instance, LPCWSTR className, BOOL imeEnabled)
    : m_hInst(instance), m_className(className != nullptr ? className : L""),
      m_imeEnabled(imeEnabled) {
  m_hHeap = HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0);
  if (m_hHeap == nullptr) {
    SLog::Printf(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, __func__,
                 "HeapCreate for window thunks failed, error %lu", GetLastError());
  }
}

CSimpleWndHelper::~CSimpleWndHelper() {
  if (m_hHeap != nullptr) HeapDestroy(m_hHeap);
}

}  // namespace SWUI
