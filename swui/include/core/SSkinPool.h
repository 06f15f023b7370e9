// Skins by name and scale, with scaled copies made on demand and kept.
//
// Whoever owns a set of skins owns one pool: a UI definition for its "skin" section, a host
// window for the "skin" node of its layout, the application for the built-in skins. Usage:
//
//   SSkinPool* pool = new SSkinPool();         // one reference, the owner's
//   pool->LoadSkins(uidefXml.child(L"skin"));  // creates and keeps every skin of the node
//   SSkinPoolMgr::getSingleton().PushSkinPool(pool);  // its skins now hide older pools'
//   ...
//   SSkinPoolMgr::getSingleton().PopSkinPool(pool);
//   pool->Release();                           // releases every skin it holds
//
// UI thread only; nothing is locked.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "core/ISkinObj.h"
#include "base/SArray.h"
#include "core/SCmnMap.h"
#include "base/SString.h"
#include "core/TObjRefImpl2.h"

namespace SWUI {

// A skin's key: its name (compared exactly, case-sensitive) and its scale in percent.
struct SkinKey {
  SStringW name;
  int scale;
  bool operator==(const SkinKey& other) const {
    return scale == other.scale && name == other.name;
  }
};

// h = h x 33 + c over the name's code units, then h x 32 + scale (wrapping).
struct SkinKeyTraits {
  static UINT Hash(const SkinKey& key);
  static bool Equal(const SkinKey& a, const SkinKey& b) { return a == b; }
};

class SSkinPool : public TObjRefImpl2<IObjRef, SSkinPool> {
 public:
  // The standard scales a request is brought to, in the order they are searched.
  static const int kStandardScales[6];

  SSkinPool() = default;
  // Releases every skin it holds.
  ~SSkinPool() override;

  // Creates a skin for every child element of node through the application's factories: the
  // element's tag names the skin class, its "name" attribute the skin; children without
  // either, or of a class no factory knows, are skipped. Each skin is initialised from its
  // element and kept under (name, its scale) unless that key is taken already (the first
  // stays). While loading, this pool is pushed on the skin pool manager, so that a skin can
  // find skins defined before it in the same node (a group's states). Returns the number of
  // skins created, duplicates included; an empty node gives 0.
  int LoadSkins(pugi::xml_node xmlNode);

  // The skin of a name at a scale, or null; the pool keeps it. Asked at a scale it does not
  // hold, the pool answers its skin at the normalised scale, or else scales the skin of the
  // first standard scale that holds the name and keeps the copy under the normalised scale;
  // a skin that cannot scale is answered as it is.
  ISkinObj* GetSkin(const SStringW& name, int scale);

  size_t GetCount() const { return skins_.GetCount(); }

  // The largest standard scale not above scale: below 125 gives 100, 300 and above 300.
  static int NormalizeSkinScale(int scale);

 private:
  ISkinObj* Find(const SStringW& name, int scale) const;
  // Adopts the skin's reference under key; false (nothing adopted) when the key is taken.
  bool Insert(const SkinKey& key, ISkinObj* skin);

  SCmnMap<SkinKey, ISkinObj*, SkinKeyTraits> skins_;
  // Keys whose scaled copy is being made: a skin that reaches its own key again while it is
  // scaled (a group naming itself) finds nothing instead of recursing.
  SArray<SkinKey> scaling_;
};

}  // namespace SWUI
