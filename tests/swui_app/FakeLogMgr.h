// A log manager that keeps every line it accepts.
#pragma once
#include <string>
#include <vector>

#include "core/SLog.h"
#include "base/TObjRefImpl.h"

class FakeLogMgr : public SWUI::TObjRefImpl<SWUI::ILogMgr> {
 public:
  BOOL PrePrintLog(int, int) override { return TRUE; }
  void PrintLog(int, int, const char*, const char*, int, const char*, const void*,
                const char* text) override {
    lines.push_back(text);
  }
  std::vector<std::string> lines;
};
