#include "core/SLog.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace SWUI {

namespace {
std::atomic<ILogMgr*> g_logMgr{nullptr};
}

ILogMgr* SLog::GetLogManager() { return g_logMgr.load(); }

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
