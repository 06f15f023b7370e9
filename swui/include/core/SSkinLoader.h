// Skins replaced while the program runs, from a skin package: a folder with its index
// "uires.idx", or a zip archive made with the package password. The loader owns one skin pool,
// pushed on the skin pool manager when the loader is made (so its skins hide those of every
// pool pushed before it), and one resource provider for the package, added to the
// application's resources without a UI definition. Usage:
//
//   SSkinLoader* loader = new SSkinLoader(&app);
//   loader->LoadSkinFromFolder(L"skins", L"C:\\skins\\blue");   // first load: creates the skins
//   loader->LoadSkinFromZip(L"C:\\skins\\red.zip", L"skins");    // later: re-initialises them
//
// The skin document is named by "type:name", or by a name alone for the type "SkinXml", and
// is read from the newest provider that holds it; its element "skin" lists the skins. The
// first document that loads fills the pool; every later one re-initialises the pool's skins
// of the names it lists and leaves the rest alone (it adds no skin). A package that cannot be
// opened changes nothing (the package served before stays); a document that is missing or not
// well-formed leaves the skins as they were. Nothing is reported. UI thread only.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "base/SAutoRefPtr.h"
#include "core/SSingleton.h"
#include "core/SSkinPool.h"
#include "res.mgr/IResProvider.h"

namespace SWUI {

class SApplication;

class SSkinLoader : public SSingleton<SSkinLoader> {
 public:
  // Every zip package is encrypted with this password (24 characters).
  static const char kPackagePassword[];

  // Without an application the loader loads nothing.
  explicit SSkinLoader(SApplication* app);
  // Releases its pool and its provider; both stay with the managers that hold them.
  ~SSkinLoader();

  // Reads the package folder, then loads the skins of xmlRef.
  void LoadSkinFromFolder(LPCWSTR xmlRef, LPCWSTR folder);
  // Opens the zip package (an archive file, the package password, the index in its root),
  // then loads the skins of xmlRef.
  void LoadSkinFromZip(LPCWSTR zipFile, LPCWSTR xmlRef);

 private:
  enum class Source { kNone, kFolder, kZip };

  // Initialises the package provider with initArg. A provider of the same source is
  // initialised again in place (it keeps what it served when that fails); for the first
  // package, or one of the other source, a new provider is made, and only once it is
  // initialised does it take the old one's place among the application's resources.
  bool OpenPackage(Source source, WPARAM initArg);
  void LoadSkins(LPCWSTR xmlRef);
  // Re-initialises the pool's skin of each named child, its name kept.
  void ReloadSkins(pugi::xml_node skins);

  SApplication* app_;
  SAutoRefPtr<SSkinPool> pool_;
  SAutoRefPtr<IResProvider> provider_;
  Source source_ = Source::kNone;
};

}  // namespace SWUI
