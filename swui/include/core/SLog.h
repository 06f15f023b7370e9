// The framework's diagnostic path: one line with a tag, a level and its source location goes
// to the application's log manager when one is installed and accepts the level, else to the
// debugger output.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"

namespace SWUI {

enum LogLevel {
  LOG_LEVEL_TRACE = 0,
  LOG_LEVEL_DEBUG = 1,
  LOG_LEVEL_INFO = 2,
  LOG_LEVEL_WARN = 3,
  LOG_LEVEL_ERROR = 4,
  LOG_LEVEL_FATAL = 5,
};

// What the framework asks of a log manager: whether a level is accepted for a logger, and
// writing one line. Reference-counted like every framework service (implement it over
// TObjRefImpl<ILogMgr>); SLog itself holds no reference: whoever installs a manager keeps it
// alive until it is uninstalled.
struct ILogMgr : IObjRef {
  virtual ~ILogMgr() = default;
  virtual BOOL PrePrintLog(int loggerId, int level) = 0;
  virtual void PrintLog(int loggerId, int level, const char* tag, const char* file, int line,
                        const char* func, const void* retAddr, const char* text) = 0;
};

class SLog {
 public:
  static const int kBufferSize = 2048;

  // The log manager that lines go to; null sends them to the debugger output.
  static ILogMgr* GetLogManager();
  static void SetLogManager(ILogMgr* mgr);

  // Formats (printf rules, into a 2048-byte buffer, truncated) and writes one line for logger 0.
  static void Printf(int level, const char* tag, const char* file, int line, const char* func,
                     const char* fmt, ...) __attribute__((format(printf, 6, 7)));
  static void Write(int level, const char* tag, const char* file, int line, const char* func,
                    const char* text);
};

}  // namespace SWUI
