// The skin loader: its pool over the definitions' pools, packages from a folder and from a
// zip archive, reloads that re-initialise skins by name, and packages that change nothing.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "PngFixtures.h"
#include "RawRead.h"
#include "TempFolder.h"
#include "UiDefRig.h"
#include "ZipFixtures.h"
#include "core/SSkinColorRect.h"
#include "core/SSkinLoader.h"
#include "core/SSkinPoolMgr.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

// Every package lists its skin document as "SkinXml:skins", a marker text "XML:marker" and,
// for the image skins, "IMG:pic".
const char kIndex[] =
    "<resource><SkinXml><file name='skins' path='skins.xml'/></SkinXml>"
    "<XML><file name='marker' path='marker.txt'/></XML>"
    "<IMG><file name='pic' path='pic.png'/></IMG></resource>";

std::string Skins(const std::string& children) { return "<skin>" + children + "</skin>"; }

void WriteFolder(TempFolder& dir, const std::string& skins, const std::string& marker = "") {
  dir.Write(L"uires.idx", kIndex);
  dir.Write(L"skins.xml", skins);
  dir.Write(L"marker.txt", marker);
}

fixtures::ZipEntrySpec Entry(const std::string& name, const std::string& data,
                             const std::string& password) {
  fixtures::ZipEntrySpec e;
  e.name = name;
  e.data = data;
  e.deflate = name != "pic.png";
  e.password = password;
  return e;
}

std::wstring WriteZip(TempFolder& dir, const wchar_t* file, const std::string& skins,
                      const std::string& marker = "", const std::string& png = "",
                      const std::string& password = SSkinLoader::kPackagePassword) {
  std::vector<fixtures::ZipEntrySpec> entries = {Entry("uires.idx", kIndex, password),
                                                 Entry("skins.xml", skins, password),
                                                 Entry("marker.txt", marker, password)};
  if (!png.empty()) entries.push_back(Entry("pic.png", png, password));
  return dir.Write(file, fixtures::MakeZip(entries));
}

// A skin that keeps the names of the attributes it was given and the mark its "name"
// attribute carried while it was initialised.
class ProbeSkin : public SSkinColorRect {
  SWUI_CLASS_NAME(SSkinColorRect, L"probe")

 public:
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override {
    applied += std::wstring(name.c_str()) + L" ";
    return SSkinColorRect::SetAttribute(name, value, loading);
  }
  using SSkinColorRect::SetAttribute;
  void OnInitFinished(pugi::xml_node node) override {
    nameAttr = node.attribute(L"name");
    nameMark = SXmlMark::GetMark(nameAttr);
  }

  std::wstring applied;
  pugi::xml_attribute nameAttr;
  int nameMark = -1;
};

// An application whose current definition holds "btn" (alpha 3) and "only" (alpha 4), with
// a skin loader made after it.
struct LoaderRig {
  LoaderRig() {
    rig.app->TplRegisterFactory<ProbeSkin>();
    rig.Install("<uidef>" +
                Skins("<colorrect name='btn' alpha='3'/><colorrect name='only' alpha='4'/>") +
                "</uidef>");
    loader = new SSkinLoader(rig.app);
  }
  ~LoaderRig() { delete loader; }

  static ISkinObj* Skin(const wchar_t* name) {
    return SSkinPoolMgr::getSingleton().GetSkin(name, 100);
  }
  // The alpha of the skin the application finds by name; -1 when it finds none.
  static int Alpha(const wchar_t* name) {
    ISkinObj* skin = Skin(name);
    return skin != nullptr ? skin->GetAlpha() : -1;
  }
  std::string Marker() { return ReadRaw(*rig.app, L"XML", L"marker"); }

  UiDefRig rig;
  SSkinLoader* loader = nullptr;
};

}  // namespace

TEST_CASE("the loader's skins hide the definition's; its package joins without a definition") {
  LoaderRig r;
  IUiDefInfo* before = r.rig.Current();
  TempFolder dir;
  WriteFolder(dir, Skins("<colorrect name='btn' alpha='7'/><colorrect name='mine' alpha='8'/>"),
              "folder");
  r.loader->LoadSkinFromFolder(L"skins", dir.Path().c_str());

  CHECK(LoaderRig::Alpha(L"btn") == 7);
  CHECK(LoaderRig::Alpha(L"mine") == 8);
  CHECK(LoaderRig::Alpha(L"only") == 4);
  CHECK(r.Marker() == "folder");
  CHECK(r.rig.Current() == before);

  // A pool pushed after the loader's hides it in turn.
  SAutoRefPtr<SSkinPool> host;
  host.Attach(new SSkinPool());
  pugi::xml_document hostSkins;
  REQUIRE(hostSkins.load_string(L"<skin><colorrect name='btn' alpha='2'/></skin>"));
  host->LoadSkins(hostSkins.child(L"skin"));
  SSkinPoolMgr::getSingleton().PushSkinPool(host);
  CHECK(LoaderRig::Alpha(L"btn") == 2);
  SSkinPoolMgr::getSingleton().PopSkinPool(host);
  CHECK(LoaderRig::Alpha(L"btn") == 7);
}

TEST_CASE("the skin document's reference: a name of type SkinXml, or type:name") {
  TempFolder dir;
  WriteFolder(dir, Skins("<colorrect name='btn' alpha='7'/>"));
  const std::wstring onDisk = dir.Path() + L"\\skins.xml";
  struct Case {
    std::wstring ref;
    int alpha;  // of "btn" afterwards
  };
  for (const Case& c : {Case{L"skins", 7}, Case{L"skinxml:SKINS", 7},
                        Case{L"values:elsewhere", 6},  // from another provider
                        Case{L"file:" + onDisk, 7},    // split at the first ':' only
                        Case{L"XML:skins", 3}, Case{L"absent", 3}, Case{L"", 3}}) {
    CAPTURE(std::string(c.ref.begin(), c.ref.end()));
    LoaderRig r;
    r.rig.provider->Add(L"values", L"elsewhere", Skins("<colorrect name='btn' alpha='6'/>"));
    r.loader->LoadSkinFromFolder(c.ref.c_str(), dir.Path().c_str());
    CHECK(LoaderRig::Alpha(L"btn") == c.alpha);
  }
}

TEST_CASE("a reload re-initialises skins by name, keeps their names and adds none") {
  LoaderRig r;
  TempFolder first;
  WriteFolder(first, Skins("<colorrect name='btn' alpha='7'/><probe name='probe' alpha='1'/>"));
  r.loader->LoadSkinFromFolder(L"skins", first.Path().c_str());
  ISkinObj* btn = LoaderRig::Skin(L"btn");
  auto* probe = dynamic_cast<ProbeSkin*>(LoaderRig::Skin(L"probe"));
  REQUIRE(btn != nullptr);
  REQUIRE(probe != nullptr);
  CHECK(probe->applied == L"name alpha ");
  CHECK(probe->nameMark == 0);

  TempFolder second;
  WriteFolder(second, Skins("<colorrect name='btn' alpha='9'/>"
                            "<probe name='probe' alpha='2' normal='#00ff00'/>"
                            "<colorrect name='fresh' alpha='5'/>"
                            "<colorrect alpha='6'/><colorrect name='' alpha='6'/>"
                            "<colorrect name='only' alpha='6'/>"));
  probe->applied.clear();
  r.loader->LoadSkinFromFolder(L"skins", second.Path().c_str());

  CHECK(LoaderRig::Skin(L"btn") == btn);
  CHECK(btn->GetAlpha() == 9);
  CHECK(std::wstring(btn->GetName()) == L"btn");
  CHECK(LoaderRig::Skin(L"probe") == probe);
  CHECK(probe->GetAlpha() == 2);
  CHECK(probe->GetStates() == 1);
  CHECK(probe->applied == L"alpha normal ");  // the marked name is not applied again
  CHECK(probe->nameMark == 1);
  // The mark is withdrawn before the document goes, so no later attribute inherits it (the
  // table is keyed by the attribute's address; nothing is read through it).
  CHECK(SXmlMark::GetMark(probe->nameAttr) == 0);
  CHECK(LoaderRig::Skin(L"fresh") == nullptr);
  CHECK(LoaderRig::Alpha(L"only") == 4);  // the definition's skin: the loader's pool lacks it
}

TEST_CASE("a package that fails changes nothing") {
  LoaderRig r;
  TempFolder good;
  WriteFolder(good, Skins("<colorrect name='btn' alpha='7'/>"), "good");
  r.loader->LoadSkinFromFolder(L"skins", good.Path().c_str());
  REQUIRE(LoaderRig::Alpha(L"btn") == 7);

  r.loader->LoadSkinFromFolder(L"skins", (good.Path() + L"\\absent").c_str());
  CHECK(LoaderRig::Alpha(L"btn") == 7);
  CHECK(r.Marker() == "good");

  const std::string reload = Skins("<colorrect name='btn' alpha='9'/>");
  struct Case {
    const char* what;
    const char* index;  // null: no index
    std::string skins;  // empty: no skin document
    bool keepsPackage;  // the good package is still served afterwards
  };
  for (const Case& c : {Case{"no index", nullptr, "", true},
                        Case{"malformed index", "<resource><SkinXml>", reload, true},
                        Case{"index without the document", "<resource/>", reload, false},
                        Case{"malformed document", kIndex, "<skin><colorrect", false}}) {
    CAPTURE(c.what);
    TempFolder bad;
    if (c.index != nullptr) bad.Write(L"uires.idx", c.index);
    if (!c.skins.empty()) bad.Write(L"skins.xml", c.skins);
    r.loader->LoadSkinFromFolder(L"skins", bad.Path().c_str());
    CHECK(LoaderRig::Alpha(L"btn") == 7);
    if (c.keepsPackage) CHECK(r.Marker() == "good");
    // Back to the good package for the next case.
    r.loader->LoadSkinFromFolder(L"skins", good.Path().c_str());
  }
  r.loader->LoadSkinFromFolder(L"skins", nullptr);
  r.loader->LoadSkinFromFolder(nullptr, good.Path().c_str());
  CHECK(r.Marker() == "good");

  TempFolder zips;
  const std::wstring archive =
      WriteZip(zips, L"good.zip", Skins("<colorrect name='btn' alpha='8'/>"), "zip");
  r.loader->LoadSkinFromZip(archive.c_str(), L"skins");
  REQUIRE(LoaderRig::Alpha(L"btn") == 8);
  std::string damaged = fixtures::MakeZip({Entry("uires.idx", kIndex, ""),
                                           Entry("skins.xml", reload, "")});
  damaged.resize(damaged.size() - 1);
  for (const std::wstring& path :
       {WriteZip(zips, L"other.zip", reload, "other", "", "another password"),
        zips.Write(L"damaged.zip", damaged), zips.Path() + L"\\absent.zip"}) {
    CAPTURE(std::string(path.begin(), path.end()));
    r.loader->LoadSkinFromZip(path.c_str(), L"skins");
    CHECK(LoaderRig::Alpha(L"btn") == 8);
    CHECK(r.Marker() == "zip");
  }
}

TEST_CASE("zip packages: the package password, their images, and a change of source") {
  LoaderRig r;
  IObjRef* decoders = nullptr;
  REQUIRE(CreateImgDecoderFactoryByName(L"imgdecoder-gdip", &decoders));
  r.rig.render->SetImgDecoderFactory(static_cast<IImgDecoderFactory*>(decoders));
  decoders->Release();
  fixtures::PngImage image;
  image.width = 3;
  image.height = 2;
  image.pixels.assign(6, fixtures::Rgba{255, 0, 0, 255});
  const std::vector<BYTE> png = fixtures::EncodePng(image);
  REQUIRE_FALSE(png.empty());

  TempFolder dir;
  const std::wstring first =
      WriteZip(dir, L"first.zip",
               Skins("<imglist name='pic' src='img:pic'/><colorrect name='btn' alpha='7'/>"),
               "first", std::string(png.begin(), png.end()));
  r.loader->LoadSkinFromZip(first.c_str(), L"skins");
  ISkinObj* pic = LoaderRig::Skin(L"pic");
  REQUIRE(pic != nullptr);
  CHECK(pic->GetSkinSize().cx == 3);
  CHECK(pic->GetSkinSize().cy == 2);
  CHECK(LoaderRig::Alpha(L"btn") == 7);
  CHECK(r.Marker() == "first");

  // A folder after a zip package: the folder's provider takes the zip provider's place.
  TempFolder folder;
  WriteFolder(folder, Skins("<colorrect name='btn' alpha='9'/>"), "folder");
  r.loader->LoadSkinFromFolder(L"skins", folder.Path().c_str());
  CHECK(LoaderRig::Alpha(L"btn") == 9);
  CHECK(r.Marker() == "folder");
  CHECK(r.rig.app->LoadImageByRef(L"img:pic") == nullptr);  // the folder lists it, has none

  const std::wstring second =
      WriteZip(dir, L"second.zip", Skins("<colorrect name='btn' alpha='10'/>"), "second");
  r.loader->LoadSkinFromZip(second.c_str(), L"skins");
  CHECK(LoaderRig::Alpha(L"btn") == 10);
  CHECK(r.Marker() == "second");
  CHECK(LoaderRig::Skin(L"pic") == pic);
}
