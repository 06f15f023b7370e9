#include "core/SLog.h"

#include "core/SApplication.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace SWUI {

namespace {
std::atomic<ILogMgr*> g_logMgr{nullptr};
}

// While an application exists and holds a log manager, every line goes there; otherwise to
// the manager installed here (if any), so the program has one log path before, during and
// after the application's lifetime.
ILogMgr* SLog::GetLogManager() {
  if (SApplication* app = SApplication::getSingletonPtr()) {
    if (ILogMgr* mgr = app->GetLogManager()) return mgr;
  }
  return g_logMgr.load();
}

void SLog::SetLogManager(ILogMgr* mgr) { g_logMgr.store(mgr); }

void SLog::Printf(int level, const char* tag, const char* file, int line, const char* func,
                  const char* fmt, ...) {
  char buf[kBufferSize];
  va_list args;
  va_start(args, fmt);
  int n = vsnprintf(buf, sizeof(buf), fmt, args);
  va_end(args);
  if (n < 0) buf[0] = '\0';
  Write(level, tag, file, line, func, buf);
}

void SLog::Write(int level, const char* tag, const char* file, int line, const char* func,
                 const char* text) {
  ILogMgr* mgr = GetLogManager();
  if (mgr != nullptr && mgr->PrePrintLog(0, level)) {
    mgr->PrintLog(0, level, tag, file, line, func, __builtin_return_address(0), text);
  } else {
    OutputDebugStringA(text);
  }
}

}  // namespace SWUI
