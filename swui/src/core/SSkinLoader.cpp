#include "core/SSkinLoader.h"

#include "core/SApplication.h"
#include "base/SArray.h"
#include "core/SSkinPoolMgr.h"
#include "base/SString.h"
#include "base/SXmlMark.h"
#include "res.mgr/SResProviderFactory.h"
#include "res.mgr/SResProviderZip.h"

namespace SWUI {

namespace {

const wchar_t kDefaultSkinType[] = L"SkinXml";

IResProvider* NewZipProvider() {
  IObjRef* obj = nullptr;
  CreateResProvider_ZIP(&obj);
  return static_cast<IResProvider*>(obj);
}

IResProvider* NewFolderProvider() {
  IResProvider* provider = nullptr;
  CreateResProvider(RES_FILE, &provider);
  return provider;
}

bool IsEmpty(LPCWSTR text) { return text == nullptr || *text == 0; }

}  // namespace

const char SSkinLoader::kPackagePassword[] = "tevaro.skin.package.key!";
static_assert(sizeof(SSkinLoader::kPackagePassword) == 24 + 1, "the password has 24 characters");

SSkinLoader::SSkinLoader(SApplication* app) : app_(app) {
  pool_.Attach(new SSkinPool());
  if (SSkinPoolMgr* mgr = SSkinPoolMgr::getSingletonPtr()) mgr->PushSkinPool(pool_);
}

SSkinLoader::~SSkinLoader() = default;

void SSkinLoader::LoadSkinFromFolder(LPCWSTR xmlRef, LPCWSTR folder) {
  if (app_ == nullptr || IsEmpty(xmlRef) || IsEmpty(folder)) return;
  if (!OpenPackage(Source::kFolder, reinterpret_cast<WPARAM>(folder))) return;
  LoadSkins(xmlRef);
}

void SSkinLoader::LoadSkinFromZip(LPCWSTR zipFile, LPCWSTR xmlRef) {
  if (app_ == nullptr || IsEmpty(xmlRef) || IsEmpty(zipFile)) return;
  ZipResParam param{};
  param.type = 0;
  param.pRenderFac = app_->GetRenderFactory();
  param.pszZipFile = zipFile;
  param.pszPsw = kPackagePassword;
  param.pszChildDir = nullptr;
  if (!OpenPackage(Source::kZip, reinterpret_cast<WPARAM>(&param))) return;
  LoadSkins(xmlRef);
}

bool SSkinLoader::OpenPackage(Source source, WPARAM initArg) {
  if (provider_ != nullptr && source_ == source) return provider_->Init(initArg, 0) != FALSE;
  // A provider reads only its own kind of Init argument: another source needs a new one.
  SAutoRefPtr<IResProvider> fresh;
  fresh.Attach(source == Source::kZip ? NewZipProvider() : NewFolderProvider());
  if (fresh == nullptr || !fresh->Init(initArg, 0)) return false;
  if (provider_ != nullptr) app_->RemoveResProvider(provider_);
  app_->AddResProvider(fresh, nullptr);
  provider_ = fresh;
  source_ = source;
  return true;
}

void SSkinLoader::LoadSkins(LPCWSTR xmlRef) {
  SStringW type;
  SStringW name;
  SplitResRef(SStringW(xmlRef), SStringW(kDefaultSkinType), &type, &name);
  pugi::xml_document doc;
  if (!app_->LoadXmlDocument(doc, name, type)) return;
  pugi::xml_node skins = doc.child(L"skin");
  if (pool_->GetCount() == 0) {
    pool_->LoadSkins(skins);
  } else {
    ReloadSkins(skins);
  }
}

void SSkinLoader::ReloadSkins(pugi::xml_node skins) {
  // On top while its skins change, as while they were loaded, so that a skin naming another
  // (a group's states) finds this pool's one first.
  SSkinPoolMgr* mgr = SSkinPoolMgr::getSingletonPtr();
  if (mgr != nullptr) mgr->PushSkinPool(pool_);
  for (pugi::xml_node child = skins.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element || *child.name() == 0) continue;
    pugi::xml_attribute nameAttr = child.attribute(L"name");
    if (*nameAttr.value() == 0) continue;
    ISkinObj* skin = pool_->GetSkin(SStringW(nameAttr.value()), 100);
    if (skin == nullptr) continue;
    // The pool keeps the skin under its name: the marked name is not applied again.
    SXmlMark::SetMark(nameAttr, 1);
    skin->InitFromXml(child);
    SXmlMark::SetMark(nameAttr, 0);
  }
  if (mgr != nullptr) mgr->PopSkinPool(pool_);
}

}  // namespace SWUI
