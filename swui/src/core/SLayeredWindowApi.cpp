#include "core/SLayeredWindowApi.h"

#include <atomic>

namespace SWUI {

namespace {

// What the replacement calls; set once the lookup has found it.
std::atomic<PFN_UpdateLayeredWindow> g_updateLayeredWindow{nullptr};

// A looked-up function as its real type (through the one function type casts are made from).
template <class Fn>
Fn AsFunction(FARPROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

BOOL SLayeredWindowApi::Resolve(PFN_UpdateLayeredWindow* update,
                                PFN_UpdateLayeredWindowIndirect* updateIndirect) {
  HMODULE user = GetModuleHandleW(L"user32.dll");
  if (user == nullptr) return Resolve(nullptr, nullptr, update, updateIndirect);
  return Resolve(GetProcAddress(user, "UpdateLayeredWindow"),
                 GetProcAddress(user, "UpdateLayeredWindowIndirect"), update, updateIndirect);
}

BOOL SLayeredWindowApi::Resolve(FARPROC foundUpdate, FARPROC foundUpdateIndirect,
                                PFN_UpdateLayeredWindow* update,
                                PFN_UpdateLayeredWindowIndirect* updateIndirect) {
  auto direct = AsFunction<PFN_UpdateLayeredWindow>(foundUpdate);
  auto indirect = AsFunction<PFN_UpdateLayeredWindowIndirect>(foundUpdateIndirect);
  if (direct == nullptr) {
    indirect = nullptr;
  } else {
    g_updateLayeredWindow.store(direct);
    if (indirect == nullptr) indirect = &SLayeredWindowApi::UpdateIndirectByUpdate;
  }
  if (update != nullptr) *update = direct;
  if (updateIndirect != nullptr) *updateIndirect = indirect;
  return direct != nullptr ? TRUE : FALSE;
}

BOOL WINAPI SLayeredWindowApi::UpdateIndirectByUpdate(HWND hWnd,
                                                      const UPDATELAYEREDWINDOWINFO* info) {
  PFN_UpdateLayeredWindow update = g_updateLayeredWindow.load();
  if (update == nullptr || info == nullptr || info->cbSize < sizeof(UPDATELAYEREDWINDOWINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return update(hWnd, info->hdcDst, const_cast<POINT*>(info->pptDst),
                const_cast<SIZE*>(info->psize), info->hdcSrc, const_cast<POINT*>(info->pptSrc),
                info->crKey, const_cast<BLENDFUNCTION*>(info->pblend), info->dwFlags);
}

}  // namespace SWUI
