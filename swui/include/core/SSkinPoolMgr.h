// The stack of skin pools (application singleton 6): a host window's own skins hide the UI
// definition's, which hide the built-in system skins. The built-in pool is made with the
// manager, pushed first and never popped; the application loads "SYS_XML_SKIN" into it.
#pragma once
#include <pugixml.hpp>

#include "core/ISkinObj.h"
#include "core/SList.h"
#include "core/SSingleton.h"
#include "base/SString.h"

namespace SWUI {

class SSkinPool;

class SSkinPoolMgr : public SSingleton<SSkinPoolMgr> {
 public:
  // Built-in skins by index: 0 "_skin.sys.checkbox" to 33 "_skin.sys.spin.up".
  static const int kBuiltinSkinCount = 34;

  SSkinPoolMgr();
  // Releases every pushed pool, then the built-in pool.
  virtual ~SSkinPoolMgr();

  // Puts a pool on top, with a reference of the manager's own.
  void PushSkinPool(SSkinPool* pool);
  // Removes a pool and releases the manager's reference: the given one (its newest entry),
  // or with null the most recently pushed one. Answers the removed pool (it may be gone once
  // its owner lets go), or null when it is not pushed or is the built-in pool, which is
  // never removed.
  SSkinPool* PopSkinPool(SSkinPool* pool);

  // The skin of the most recently pushed pool that answers for the name, or null; no
  // reference is added.
  ISkinObj* GetSkin(const SStringW& name, int scale);
  // A built-in skin asked of the built-in pool only; null for an index outside 0 to 33.
  ISkinObj* GetBuiltinSkin(int index, int scale);
  // The name of a built-in skin ("_skin.sys.btn.maxmize" is spelled so), or null.
  static LPCWSTR GetBuiltinSkinName(int index);

  SSkinPool* GetBuiltinSkinPool() const { return builtin_; }
  // Loads the framework's "skin" element into the built-in pool; the number of skins created.
  int LoadBuiltinSkins(pugi::xml_node skin);

 private:
  friend class SSkinPool;
  // The newest entry of a pool removed whatever it is: a pool's own pop after it pushed
  // itself to load skins, which the built-in pool does too.
  bool RemoveNewest(SSkinPool* pool);

  SList<SSkinPool*> pools_;  // oldest first; each entry holds a reference
  SSkinPool* builtin_;
};

}  // namespace SWUI
