// Test fixtures of the device link: a log manager that records the "swui" lines, and a
// message-only window that records WM_DEVICE_NOTIFY.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "core/SLog.h"
#include "base/TObjRefImpl.h"

// Lives on the test's stack; SLog holds no reference, so nothing ever releases it.
class LogCapture : public SWUI::TObjRefImpl<SWUI::ILogMgr> {
 public:
  struct Line {
    int level;
    std::string tag, file, func, text;
  };
  LogCapture() { SWUI::SLog::SetLogManager(this); }
  ~LogCapture() override { SWUI::SLog::SetLogManager(nullptr); }

  BOOL PrePrintLog(int, int) override { return TRUE; }
  void PrintLog(int, int level, const char* tag, const char* file, int, const char* func,
                const void*, const char* text) override {
    std::lock_guard<std::mutex> guard(m_lock);
    m_lines.push_back(Line{level, tag, file, func, text});
  }
  std::vector<Line> Lines() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lines;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (auto& l : Lines()) out.push_back(l.text);
    return out;
  }
  size_t Count(const std::string& text) const {
    size_t n = 0;
    for (auto& l : Lines()) n += l.text == text ? 1 : 0;
    return n;
  }
  void Clear() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_lines.clear();
  }

 private:
  mutable std::mutex m_lock;
  std::vector<Line> m_lines;
};
