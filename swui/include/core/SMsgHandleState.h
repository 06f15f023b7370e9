// The handled flag of a message map: an entry sets it before calling its handler, and a
// handler that clears it lets the message fall through to the next map (the base class's).
#pragma once
#include <windows.h>

namespace SWUI {

class SMsgHandleState {
 public:
  BOOL IsMsgHandled() const { return m_bMsgHandled; }
  void SetMsgHandled(BOOL bHandled) { m_bMsgHandled = bHandled; }

 protected:
  BOOL m_bMsgHandled = FALSE;
};

}  // namespace SWUI
