#include "AxTestRecord.h"

#include <cstdarg>
#include <cwchar>
#include <string>
#include <vector>

#include "AxTestControl.h"

namespace axtest {

namespace {

std::vector<std::wstring>& Entries() {
  static std::vector<std::wstring> entries;
  return entries;
}

COLORREF g_colour = kAxDefaultColour;
LONG g_objects = 0;
LONG g_locks = 0;
LONG g_controls = 0;

struct EntryHook {
  std::wstring entry;
  void (*fn)(void*) = nullptr;
  void* context = nullptr;
};

EntryHook& Hook() {
  static EntryHook hook;
  return hook;
}

// Taken off before it runs: what it does may add entries of its own.
void RunHookFor(const std::wstring& entry) {
  EntryHook& hook = Hook();
  if (hook.fn == nullptr || hook.entry != entry) return;
  const EntryHook taken = hook;
  hook = EntryHook();
  taken.fn(taken.context);
}

}  // namespace

void Record(const wchar_t* format, ...) {
  wchar_t text[256];
  va_list args;
  va_start(args, format);
  vswprintf(text, sizeof(text) / sizeof(text[0]), format, args);
  va_end(args);
  Entries().emplace_back(text);
  RunHookFor(text);
}

COLORREF FillColour() { return g_colour; }
void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }
void LockServer(bool lock) {
  if (lock) {
    InterlockedIncrement(&g_locks);
  } else {
    InterlockedDecrement(&g_locks);
  }
}
bool CanUnload() { return g_objects == 0 && g_locks == 0; }
int LiveControls() { return static_cast<int>(g_controls); }
void ControlCreated() { InterlockedIncrement(&g_controls); }
void ControlDestroyed() { InterlockedDecrement(&g_controls); }

}  // namespace axtest

extern "C" {

void AxTestReset() {
  axtest::Entries().clear();
  axtest::g_colour = kAxDefaultColour;
  axtest::Hook() = axtest::EntryHook();
}

int AxTestRecordCount() { return static_cast<int>(axtest::Entries().size()); }

const wchar_t* AxTestRecordEntry(int index) {
  const auto& entries = axtest::Entries();
  if (index < 0 || static_cast<size_t>(index) >= entries.size()) return nullptr;
  return entries[static_cast<size_t>(index)].c_str();
}

void AxTestNote(const wchar_t* text) { axtest::Record(L"%ls", text); }

int AxTestLiveControls() { return axtest::LiveControls(); }

void AxTestSetColour(COLORREF colour) { axtest::g_colour = colour; }

void AxTestOnEntry(const wchar_t* entry, void (*fn)(void*), void* context) {
  axtest::Hook() = axtest::EntryHook{entry != nullptr ? entry : L"", fn, context};
}
}
