// The font pool: descriptions over the definition's default font, scaling, pooling by key and
// the translator's substitution; the fixed-size XML writer behind the property text.
#include <doctest/doctest.h>

#include <string>

#include "UiDefRig.h"
#include "core/SFontPool.h"
#include "core/STranslator.h"
#include "core/STranslatorMgr.h"
#include "core/xml_writer_buff.h"

using namespace SWUI;

namespace {

struct FontRig : UiDefRig {
  FontRig() {
    InstallFace(L"Tahoma");
    Install("<uidef><font size='12' face='Tahoma' charset='1'/>"
            "<dim><big value='20dp'/></dim></uidef>");
  }
  SFontPool& pool() { return *SFontPool::getSingletonPtr(); }
  LOGFONTW Font(const wchar_t* desc, int scale) {
    SAutoRefPtr<IFont> font = pool().GetFont(desc, scale);
    REQUIRE(font != nullptr);
    return *font->LogFont();
  }
};

}  // namespace

TEST_CASE("font descriptions: size, scale, weight and the first of a key") {
  FontRig rig;
  struct Row {
    const wchar_t* desc;
    int scale;
    LONG height;
    LONG weight;
    const wchar_t* face;
  };
  const Row rows[] = {
      {L"", 100, -12, 400, L"Tahoma"},
      {L"", 150, -18, 400, L"Tahoma"},
      {L"face:arial,size:16,bold:1", 100, -16, 700, L"arial"},
      {L"size:12dp", 150, -18, 400, L"Tahoma"},
      {L"size:12", 150, -12, 400, L"Tahoma"},  // pixel sizes are not scaled
      {L"adding:2", 100, -14, 400, L"Tahoma"},
      {L"adding:2dp", 150, -21, 400, L"Tahoma"},
      {L"size:10,size:20", 100, -10, 400, L"Tahoma"},
      {L"weight:0,bold:1", 100, -12, 700, L"Tahoma"},
      {L"weight:300", 100, -12, 300, L"Tahoma"},
      {L"weight:99999", 100, -12, 1020, L"Tahoma"},
      {L"size:@dim/big", 150, -30, 400, L"Tahoma"},
      {L"size:,bold,face:a:b", 100, -12, 400, L"Tahoma"},  // malformed items are dropped
  };
  for (const Row& row : rows) {
    CAPTURE(std::wstring(row.desc));
    CAPTURE(row.scale);
    LOGFONTW lf = rig.Font(row.desc, row.scale);
    CHECK(lf.lfHeight == row.height);
    CHECK(lf.lfWeight == row.weight);
    CHECK(std::wstring(lf.lfFaceName) == row.face);
    CHECK(lf.lfQuality == CLEARTYPE_QUALITY);
  }
  LOGFONTW lf = rig.Font(L"italic:1,underline:1,strike:1,charset:134", 100);
  CHECK(lf.lfItalic);
  CHECK(lf.lfUnderline);
  CHECK(lf.lfStrikeOut);
  CHECK(lf.lfCharSet == 134);
  lf = rig.Font(L"face:abcdefghijklmnopqrstuvwxyz0123456789", 100);
  CHECK(std::wstring(lf.lfFaceName) == L"abcdefghijklmnopqrstuvwxyz01234");  // 31 characters
}

TEST_CASE("the pool shares a font per key; name and properties make other keys") {
  FontRig rig;
  SAutoRefPtr<IFont> a = rig.pool().GetFont(L"size:14,bold:1", 100);
  SAutoRefPtr<IFont> b = rig.pool().GetFont(L"size:14,bold:1", 100);
  SAutoRefPtr<IFont> upper = rig.pool().GetFont(L"SIZE:14,BOLD:1", 100);
  SAutoRefPtr<IFont> named = rig.pool().GetFont(L"size:14,bold:1,name:title", 100);
  SAutoRefPtr<IFont> prop = rig.pool().GetFont(L"size:14,bold:1,foo:1", 100);
  CHECK(a == b);
  CHECK(a == upper);
  CHECK(named != a);
  CHECK(prop != a);
  CHECK(rig.pool().GetCount() == 3);
  CHECK(std::wstring(SFontPool::MakeFontInfo(L"foo:1,bar:x,foo:2", 100).strPropEx) ==
        L"<font foo=\"1\" bar=\"x\"/>");
  CHECK(SFontPool::MakeFontInfo(L"size:14", 100).strPropEx.IsEmpty());
}

TEST_CASE("without a definition the fallback font serves") {
  UiDefRig rig;
  FontInfo info = SFontPool::MakeFontInfo(L"", 200);
  CHECK(info.style.GetSize() == 24);
  CHECK(std::wstring(info.strFaceName) == L"\u5b8b\u4f53");
  CHECK(std::wstring(info.strName) == L"default");
}

TEST_CASE("the current language substitutes the face and character set by font name") {
  FontRig rig;
  SAutoRefPtr<ITranslatorMgr> mgr;
  IObjRef* obj = nullptr;
  REQUIRE(Translator_SCreateInstance(&obj));
  mgr.Attach(static_cast<ITranslatorMgr*>(obj));
  rig.app->SetTranslator(mgr);
  SAutoRefPtr<ITranslator> tr;
  tr.Attach(new STranslator());
  pugi::xml_document doc;
  REQUIRE(doc.load_string(L"<language name='cn'><fonts>"
                          L"<font name='title' charset='GB2312' face='SimSun'/></fonts></language>"));
  pugi::xml_node language = doc.child(L"language");
  REQUIRE(tr->Load(&language, STranslator::kLoadXmlNode));
  REQUIRE(mgr->InstallTranslator(tr));

  LOGFONTW lf = rig.Font(L"name:title,size:15", 100);
  CHECK(std::wstring(lf.lfFaceName) == L"SimSun");
  CHECK(lf.lfCharSet == 134);
  CHECK(lf.lfHeight == -15);
  lf = rig.Font(L"size:15", 100);
  CHECK(std::wstring(lf.lfFaceName) == L"Tahoma");
  CHECK(lf.lfCharSet == 1);
}

TEST_CASE("the XML writer buffer drops a chunk reaching 20480 characters, keeping the rest") {
  std::wstring big(20479, L'x');
  xml_writer_buff fits;
  fits.write(L"ab", 2 * sizeof(wchar_t));
  fits.write(big.data(), (big.size() - 2) * sizeof(wchar_t));  // 20479 in all
  CHECK(fits.size() == 20479);
  fits.write(L"c", sizeof(wchar_t));  // would reach 20480
  CHECK(fits.size() == 20479);
  CHECK(fits.buffer()[20479] == 0);
  CHECK(std::wstring(fits.buffer(), 2) == L"ab");

  xml_writer_buff whole;
  std::wstring full(20480, L'y');
  whole.write(full.data(), full.size() * sizeof(wchar_t));
  CHECK(whole.size() == 0);
  CHECK(whole.buffer()[0] == 0);
}
