#include "DebugOutputCapture.h"

#include <atomic>
#include <stdexcept>

namespace {
constexpr DWORD kDbgPrintException = 0x40010006;
std::atomic<DebugOutputCapture*> g_active{nullptr};
}  // namespace

DebugOutputCapture::DebugOutputCapture() {
  DebugOutputCapture* expected = nullptr;
  if (!g_active.compare_exchange_strong(expected, this)) {
    throw std::logic_error("only one DebugOutputCapture at a time");
  }
  handle_ = AddVectoredExceptionHandler(1, &DebugOutputCapture::Handler);
  if (handle_ == nullptr) {
    g_active = nullptr;
    throw std::runtime_error("AddVectoredExceptionHandler failed");
  }
}

DebugOutputCapture::~DebugOutputCapture() {
  RemoveVectoredExceptionHandler(handle_);
  g_active = nullptr;
}

LONG CALLBACK DebugOutputCapture::Handler(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* rec = info->ExceptionRecord;
  DebugOutputCapture* self = g_active.load();
  if (self != nullptr && rec->ExceptionCode == kDbgPrintException && rec->NumberParameters >= 2) {
    size_t len = static_cast<size_t>(rec->ExceptionInformation[0]);
    const char* text = reinterpret_cast<const char*>(rec->ExceptionInformation[1]);
    if (text != nullptr && len > 0) {
      // The length counts the terminating NUL.
      self->Add(text, len - 1);
    }
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

void DebugOutputCapture::Add(const char* text, size_t len) {
  std::lock_guard<std::mutex> guard(lock_);
  lines_.emplace_back(text, len);
}

std::vector<std::string> DebugOutputCapture::Lines() const {
  std::lock_guard<std::mutex> guard(lock_);
  return lines_;
}

bool DebugOutputCapture::Contains(const std::string& text) const { return Count(text) > 0; }

size_t DebugOutputCapture::Count(const std::string& text) const {
  std::lock_guard<std::mutex> guard(lock_);
  size_t n = 0;
  for (const auto& l : lines_) {
    if (l.find(text) != std::string::npos) ++n;
  }
  return n;
}

void DebugOutputCapture::Clear() {
  std::lock_guard<std::mutex> guard(lock_);
  lines_.clear();
}
