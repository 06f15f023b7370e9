// Captures every OutputDebugStringA/W line of the process while an instance lives.
// OutputDebugString raises DBG_PRINTEXCEPTION_C before looking for a debugger; a vectored
// handler sees it first, copies the text and lets the system go on as usual.
#pragma once
#include <windows.h>
#include <mutex>
#include <string>
#include <vector>

class DebugOutputCapture {
 public:
  DebugOutputCapture();
  ~DebugOutputCapture();
  DebugOutputCapture(const DebugOutputCapture&) = delete;
  DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

  std::vector<std::string> Lines() const;
  bool Contains(const std::string& text) const;
  size_t Count(const std::string& text) const;
  void Clear();

 private:
  static LONG CALLBACK Handler(EXCEPTION_POINTERS* info);
  void Add(const char* text, size_t len);

  PVOID handle_ = nullptr;
  mutable std::mutex lock_;
  std::vector<std::string> lines_;
};
