// Sees a message before it is translated and dispatched.
#pragma once
#include <windows.h>

namespace SWUI {

struct IMessageFilter {
  // TRUE consumes the message.
  virtual BOOL PreTranslateMessage(MSG* msg) = 0;

 protected:
  ~IMessageFilter() = default;
};

}  // namespace SWUI
