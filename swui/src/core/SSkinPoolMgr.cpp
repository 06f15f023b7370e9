#include "core/SSkinPoolMgr.h"

#include "core/SSkinPool.h"

namespace SWUI {

namespace {

constexpr LPCWSTR kBuiltinSkinNames[] = {
    L"_skin.sys.checkbox",        L"_skin.sys.radio",           L"_skin.sys.focuscheckbox",
    L"_skin.sys.focusradio",      L"_skin.sys.btn.normal",      L"_skin.sys.scrollbar",
    L"_skin.sys.border",          L"_skin.sys.dropbtn",         L"_skin.sys.tree.toggle",
    L"_skin.sys.tree.checkbox",   L"_skin.sys.tab.page",        L"_skin.sys.header",
    L"_skin.sys.split.vert",      L"_skin.sys.split.horz",      L"_skin.sys.prog.bkgnd",
    L"_skin.sys.prog.bar",        L"_skin.sys.vert.prog.bkgnd", L"_skin.sys.vert.prog.bar",
    L"_skin.sys.slider.thumb",    L"_skin.sys.btn.close",       L"_skin.sys.btn.minimize",
    L"_skin.sys.btn.maxmize",     L"_skin.sys.btn.restore",     L"_skin.sys.menu.check",
    L"_skin.sys.menu.sep",        L"_skin.sys.menu.arrow",      L"_skin.sys.menu.border",
    L"_skin.sys.menu.skin",       L"_skin.sys.icons",           L"_skin.sys.wnd.bkgnd",
    L"_skin.sys.btn.prev",        L"_skin.sys.btn.next",        L"_skin.sys.spin.down",
    L"_skin.sys.spin.up",
};

constexpr bool StartsWith(const wchar_t* text, const wchar_t* prefix) {
  for (; *prefix != 0; ++prefix, ++text) {
    if (*text != *prefix) return false;
  }
  return true;
}

constexpr bool EveryNameIsSystemSkin() {
  for (const wchar_t* name : kBuiltinSkinNames) {
    if (!StartsWith(name, L"_skin.sys.")) return false;
  }
  return true;
}

static_assert(sizeof(kBuiltinSkinNames) / sizeof(kBuiltinSkinNames[0]) ==
                  SSkinPoolMgr::kBuiltinSkinCount,
              "one name per built-in skin index");
static_assert(EveryNameIsSystemSkin(), "built-in skin names begin \"_skin.sys.\"");

}  // namespace

SSkinPoolMgr::SSkinPoolMgr() : builtin_(new SSkinPool()) { PushSkinPool(builtin_); }

SSkinPoolMgr::~SSkinPoolMgr() {
  while (!pools_.IsEmpty()) pools_.RemoveTail()->Release();
  builtin_->Release();
}

void SSkinPoolMgr::PushSkinPool(SSkinPool* pool) {
  if (pool == nullptr) return;
  if (pools_.AddTail(pool) != nullptr) pool->AddRef();
}

bool SSkinPoolMgr::RemoveNewest(SSkinPool* pool) {
  for (SPOSITION pos = pools_.GetTailPosition(); pos;) {
    SPOSITION at = pos;
    if (pools_.GetPrev(pos) == pool) {
      pools_.RemoveAt(at);
      pool->Release();
      return true;
    }
  }
  return false;
}

SSkinPool* SSkinPoolMgr::PopSkinPool(SSkinPool* pool) {
  if (pool == nullptr) {
    if (pools_.IsEmpty()) return nullptr;
    pool = pools_.GetTail();
  }
  if (pool == builtin_) return nullptr;
  return RemoveNewest(pool) ? pool : nullptr;
}

ISkinObj* SSkinPoolMgr::GetSkin(const SStringW& name, int scale) {
  for (SPOSITION pos = pools_.GetTailPosition(); pos;) {
    if (ISkinObj* skin = pools_.GetPrev(pos)->GetSkin(name, scale)) return skin;
  }
  return nullptr;
}

LPCWSTR SSkinPoolMgr::GetBuiltinSkinName(int index) {
  return index >= 0 && index < kBuiltinSkinCount ? kBuiltinSkinNames[index] : nullptr;
}

ISkinObj* SSkinPoolMgr::GetBuiltinSkin(int index, int scale) {
  LPCWSTR name = GetBuiltinSkinName(index);
  return name != nullptr ? builtin_->GetSkin(name, scale) : nullptr;
}

int SSkinPoolMgr::LoadBuiltinSkins(pugi::xml_node skin) { return builtin_->LoadSkins(skin); }

}  // namespace SWUI
