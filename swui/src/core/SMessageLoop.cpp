#include "core/SMessageLoop.h"

#include <algorithm>

#include "core/SLog.h"

namespace SWUI {

namespace {

template <class T>
BOOL RemoveFirst(std::vector<T*>& list, T* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return FALSE;
  list.erase(it);
  return TRUE;
}

}  // namespace

SMessageLoop::SMessageLoop() : m_msg() {}

SMessageLoop::~SMessageLoop() = default;

BOOL SMessageLoop::AddMessageFilter(IMessageFilter* filter) {
  m_filters.push_back(filter);
  return TRUE;
}

BOOL SMessageLoop::RemoveMessageFilter(IMessageFilter* filter) { return RemoveFirst(m_filters, filter); }

BOOL SMessageLoop::AddIdleHandler(IIdleHandler* handler) {
  m_idleHandlers.push_back(handler);
  return TRUE;
}

BOOL SMessageLoop::RemoveIdleHandler(IIdleHandler* handler) {
  return RemoveFirst(m_idleHandlers, handler);
}

BOOL SMessageLoop::PreTranslateMessage(MSG* msg) {
  for (size_t i = m_filters.size(); i-- > 0;) {
    // A filter may remove itself while it is asked.
    if (i >= m_filters.size()) continue;
    IMessageFilter* filter = m_filters[i];
    if (filter != nullptr && filter->PreTranslateMessage(msg)) return TRUE;
  }
  return FALSE;
}

BOOL SMessageLoop::OnIdle(int) {
  for (size_t i = 0; i < m_idleHandlers.size(); ++i) {
    IIdleHandler* handler = m_idleHandlers[i];
    if (handler != nullptr) handler->OnIdle();
  }
  return FALSE;
}

bool SMessageLoop::ReArmsIdle(UINT message) {
  // The system's own timer message (caret blink), which the headers leave unnamed.
  constexpr UINT kWmSysTimer = 0x118;
  return message != WM_PAINT && message != WM_NCMOUSEMOVE && message != kWmSysTimer &&
         message != WM_MOUSEMOVE;
}

int SMessageLoop::Run() {
  BOOL doIdle = TRUE;
  int idleCount = 0;
  m_bRunning = TRUE;
  m_bQuit = FALSE;
  for (;;) {
    while (doIdle && !PeekMessageW(&m_msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) doIdle = FALSE;
      if (m_bQuit) {
        m_bRunning = FALSE;
        return static_cast<int>(m_msg.wParam);
      }
    }
    BOOL got = GetMessageW(&m_msg, nullptr, 0, 0);
    if (got == -1) {
      SLog::Write(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "SWUI::SMessageLoop::Run",
                  "::GetMessage returned -1 (error)");
      continue;
    }
    if (!got) break;
    OnMsg(&m_msg);
    if (ReArmsIdle(m_msg.message)) {
      doIdle = TRUE;
      idleCount = 0;
    }
    if (m_bQuit) {
      m_bRunning = FALSE;
      return static_cast<int>(m_msg.wParam);
    }
  }
  SLog::Printf(LOG_LEVEL_TRACE, "swui", __FILE__, __LINE__, "SWUI::SMessageLoop::Run",
               "SMessageLoop::Run - exiting,code = %d", static_cast<int>(m_msg.wParam));
  m_bRunning = FALSE;
  return static_cast<int>(m_msg.wParam);
}

BOOL SMessageLoop::IsRunning() const { return m_bRunning; }

void SMessageLoop::OnMsg(MSG* msg) {
  if (!PreTranslateMessage(msg)) {
    TranslateMessage(msg);
    DispatchMessageW(msg);
  }
}

void SMessageLoop::Quit() {
  if (m_bRunning) m_bQuit = TRUE;
}

}  // namespace SWUI
