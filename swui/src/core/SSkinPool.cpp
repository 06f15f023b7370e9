#include "core/SSkinPool.h"

#include "core/SApplication.h"
#include "core/SSkinPoolMgr.h"

namespace SWUI {

const int SSkinPool::kStandardScales[6] = {100, 125, 150, 200, 250, 300};

UINT SkinKeyTraits::Hash(const SkinKey& key) {
  UINT h = 0;
  const wchar_t* p = key.name.c_str();
  for (int i = 0, n = key.name.GetLength(); i < n; ++i) h = h * 33 + static_cast<UINT>(p[i]);
  return h * 32 + static_cast<UINT>(key.scale);
}

SSkinPool::~SSkinPool() {
  SPOSITION pos = skins_.GetStartPosition();
  while (pos) skins_.GetNext(pos)->m_value->Release();
  skins_.RemoveAll();
}

int SSkinPool::NormalizeSkinScale(int scale) {
  if (scale < kStandardScales[1]) return kStandardScales[0];
  int normal = kStandardScales[0];
  for (int standard : kStandardScales) {
    if (standard <= scale) normal = standard;
  }
  return normal;
}

ISkinObj* SSkinPool::Find(const SStringW& name, int scale) const {
  ISkinObj* skin = nullptr;
  skins_.Lookup(SkinKey{name, scale}, skin);
  return skin;
}

bool SSkinPool::Insert(const SkinKey& key, ISkinObj* skin) {
  if (skins_.Lookup(key) != nullptr) return false;
  return skins_.SetAt(key, skin) != nullptr;
}

int SSkinPool::LoadSkins(pugi::xml_node xmlNode) {
  SApplication* app = SApplication::getSingletonPtr();
  if (!xmlNode || app == nullptr) return 0;
  SSkinPoolMgr* mgr = SSkinPoolMgr::getSingletonPtr();
  if (mgr != nullptr) mgr->PushSkinPool(this);
  int count = 0;
  for (pugi::xml_node child = xmlNode.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const SStringW type(child.name());
    const SStringW name(child.attribute(L"name").value());
    if (type.IsEmpty() || name.IsEmpty()) continue;
    ISkinObj* skin = app->CreateSkinByName(type);
    if (skin == nullptr) continue;
    skin->InitFromXml(child);
    ++count;
    // A second skin of the same name and scale is made but not kept: the first stays.
    if (!Insert(SkinKey{name, skin->GetScale()}, skin)) skin->Release();
  }
  if (mgr != nullptr) mgr->RemoveNewest(this);
  return count;
}

ISkinObj* SSkinPool::GetSkin(const SStringW& name, int scale) {
  if (ISkinObj* skin = Find(name, scale)) return skin;
  const int normal = NormalizeSkinScale(scale);
  if (ISkinObj* skin = Find(name, normal)) return skin;
  const SkinKey key{name, normal};
  for (const SkinKey& busy : scaling_) {
    if (busy == key) return nullptr;
  }
  for (int standard : kStandardScales) {
    ISkinObj* found = Find(name, standard);
    if (found == nullptr) continue;
    scaling_.Add(key);
    ISkinObj* copy = found->Scale(normal);
    scaling_.RemoveAt(scaling_.GetCount() - 1);
    if (copy == nullptr) return found;
    if (!Insert(key, copy)) {
      copy->Release();  // made meanwhile by a skin that scaled it on its own way
      return Find(name, normal);
    }
    return copy;
  }
  return nullptr;
}

}  // namespace SWUI
