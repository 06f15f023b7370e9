#include "AppSeams.h"

#include <shlobj.h>

#include <atomic>

#include "core/SMessageBoxImpl.h"

namespace {

int ShowFrameworkMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  return static_cast<int>(SWUI::SMessageBox(owner, text, caption, type));
}

const AppSeams kReal = {&SHGetFolderPathW, &ShowFrameworkMessageBox, &MessageBoxW,
                        &GetOpenFileNameW, &GetSaveFileNameW};
std::atomic<const AppSeams*> g_seams{&kReal};

}  // namespace

const AppSeams& AppSeams::Current() { return *g_seams.load(); }

void AppSeams::Bind(const AppSeams* seams) { g_seams.store(seams != nullptr ? seams : &kReal); }

const AppSeams& AppSeams::Real() { return kReal; }
