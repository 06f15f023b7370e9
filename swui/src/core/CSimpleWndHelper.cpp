#include "core/CSimpleWndHelper.h"

#include "core/CSimpleWnd.h"
#include "core/SLog.h"

namespace SWUI {

CSimpleWndHelper::CSimpleWndHelper(HINSTANCE instance, LPCWSTR className, BOOL imeEnabled)
    : m_hInst(instance),
      m_className(className != nullptr ? className : L""),
      m_imeEnabled(imeEnabled) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = imeEnabled ? (CS_IME | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW) : CS_DBLCLKS;
  wc.lpfnWndProc = &CSimpleWnd::StartWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = m_className.c_str();
  m_atom = RegisterClassExW(&wc);
  if (m_atom == 0) {
    SLog::Printf(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__,
                 "SWUI::CSimpleWndHelper::CSimpleWndHelper", "RegisterClassExW failed, error %lu",
                 GetLastError());
  }
}

CSimpleWndHelper::~CSimpleWndHelper() {
  if (m_atom != 0 && !UnregisterClassW(MAKEINTATOM(m_atom), m_hInst)) {
    SLog::Printf(
        LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "SWUI::CSimpleWndHelper::~CSimpleWndHelper",
        "UnregisterClassW failed, error %lu (windows of the class still exist?)", GetLastError());
  }
}

void CSimpleWndHelper::BeginCreate(CSimpleWnd* wnd) {
  m_cs.Enter();
  m_creating = wnd;
  m_creatingThread = GetCurrentThreadId();
}

void CSimpleWndHelper::EndCreate() {
  m_creating = nullptr;
  m_creatingThread = 0;
  m_cs.Leave();
}

CSimpleWnd* CSimpleWndHelper::TakeCreatingObject() {
  // Only the creating thread ever finds its own id here, so the slot is read by its owner.
  if (m_creatingThread != GetCurrentThreadId()) return nullptr;
  CSimpleWnd* wnd = m_creating;
  m_creating = nullptr;
  return wnd;
}

}  // namespace SWUI
