// Translators and their manager: loading a language, lookups by context and source, buffer
// sizes, character sets, font substitution, installing and the application's Translate.
#include <doctest/doctest.h>

#include <cstring>
#include <string>

#include "UiDefRig.h"
#include "core/STranslator.h"
#include "core/SFontPool.h"
#include "core/STranslatorMgr.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SResProviderFactory.h"

using namespace SWUI;

namespace {

const char kChinese[] =
    "<language name='cn' guid='{6B7A3E40-1D2C-4F5A-9B8E-0C1D2E3F4A5B}'>"
    "<context name='dlg'>"
    "<message><source>OK</source><translation>\xE7\xA1\xAE\xE5\xAE\x9A</translation></message>"
    "<message><source>ok</source><translation>lower</translation></message>"
    "<message><source>Help</source><translation></translation></message>"
    "</context>"
    "<context name=''>"
    "<message><source>Cancel</source><translation>\xE5\x8F\x96\xE6\xB6\x88</translation></message>"
    "<message><source>Help</source><translation>general help</translation></message>"
    "<message><source>Twice</source><translation>first</translation></message>"
    "<message><source>Twice</source><translation>second</translation></message>"
    "</context>"
    "<fonts><font name='default' charset='gb2312' face='SimSun'/></fonts>"
    "</language>";

const wchar_t kQueDing[] = L"\u786e\u5b9a";
const wchar_t kQuXiao[] = L"\u53d6\u6d88";

SAutoRefPtr<ITranslator> LoadTranslator(const std::string& xml) {
  pugi::xml_document doc;
  REQUIRE(doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8));
  pugi::xml_node language = doc.child(L"language");
  SAutoRefPtr<ITranslator> tr;
  tr.Attach(new STranslator());
  REQUIRE(tr->Load(&language, STranslator::kLoadXmlNode));
  return tr;
}

std::string Language(const char* name, const char* guid, const char* source,
                     const char* translation) {
  return std::string("<language name='") + name + "' guid='" + guid + "'><context name=''>" +
         "<message><source>" + source + "</source><translation>" + translation +
         "</translation></message></context></language>";
}

SAutoRefPtr<ITranslatorMgr> NewManager() {
  IObjRef* obj = nullptr;
  REQUIRE(Translator_SCreateInstance(&obj));
  SAutoRefPtr<ITranslatorMgr> mgr;
  mgr.Attach(static_cast<ITranslatorMgr*>(obj));
  return mgr;
}

std::wstring Tr(ITranslator* tr, const wchar_t* src, const wchar_t* ctx) {
  wchar_t buf[64] = {};
  return tr->tr(src, ctx, buf, 64) > 0 ? buf : L"<none>";
}

}  // namespace

TEST_CASE("lookups: by context, falling back to the empty context, case-sensitive") {
  SAutoRefPtr<ITranslator> tr = LoadTranslator(kChinese);
  CHECK(Tr(tr, L"OK", L"dlg") == kQueDing);
  CHECK(Tr(tr, L"ok", L"dlg") == L"lower");
  CHECK(Tr(tr, L"Ok", L"dlg") == L"<none>");
  CHECK(Tr(tr, L"Cancel", L"dlg") == kQuXiao);
  CHECK(Tr(tr, L"Cancel", L"other") == kQuXiao);
  CHECK(Tr(tr, L"Cancel", L"") == kQuXiao);
  CHECK(Tr(tr, L"OK", L"") == L"<none>");
  CHECK(Tr(tr, L"OK", L"DLG") == L"<none>");
  // An empty translation translates nothing, so the empty context answers.
  CHECK(Tr(tr, L"Help", L"dlg") == L"general help");
  CHECK(Tr(tr, L"Twice", L"") == L"first");

  wchar_t name[64];
  tr->GetName(name);
  CHECK(std::wstring(name) == L"cn");
  CHECK(tr->NameEqual(L"cn"));
  CHECK_FALSE(tr->NameEqual(L"CN"));
  const GUID expected = {0x6B7A3E40, 0x1D2C, 0x4F5A, {0x9B, 0x8E, 0x0C, 0x1D, 0x2E, 0x3F, 0x4A, 0x5B}};
  CHECK(IsEqualGUID(tr->GetGuid(), expected));
}

TEST_CASE("tr answers length + 1 for a null buffer, copies into a big enough one, else -1") {
  SAutoRefPtr<ITranslator> tr = LoadTranslator(kChinese);
  CHECK(tr->tr(L"Cancel", L"dlg", nullptr, 0) == 3);
  wchar_t buf[8];
  wmemset(buf, L'#', 8);
  CHECK(tr->tr(L"Cancel", L"", buf, 2) == -1);
  CHECK(buf[0] == L'#');
  CHECK(tr->tr(L"Cancel", L"", buf, 3) == 3);
  CHECK(std::wstring(buf) == kQuXiao);
  CHECK(tr->tr(L"Unknown", L"dlg", buf, 8) == 0);
  CHECK(tr->tr(nullptr, L"dlg", buf, 8) == 0);
}

TEST_CASE("Load takes a language element of kind 1 only; a bad guid is all zeros") {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(L"<language name='x' guid='{not-a-guid}'/>"));
  pugi::xml_node language = doc.child(L"language");
  SAutoRefPtr<ITranslator> tr;
  tr.Attach(new STranslator());
  CHECK_FALSE(tr->Load(&language, 0));
  CHECK_FALSE(tr->Load(&language, 2));
  pugi::xml_node none;
  CHECK_FALSE(tr->Load(&none, STranslator::kLoadXmlNode));
  REQUIRE(tr->Load(&language, STranslator::kLoadXmlNode));
  CHECK(IsEqualGUID(tr->GetGuid(), GUID_NULL));

  std::string longName(100, 'n');
  SAutoRefPtr<ITranslator> named = LoadTranslator(Language(longName.c_str(), "", "a", "b"));
  wchar_t name[64];
  named->GetName(name);
  CHECK(std::wstring(name) == std::wstring(63, L'n'));
}

TEST_CASE("character sets by name in any case, by number, else 0") {
  SAutoRefPtr<ITranslator> tr;
  tr.Attach(new STranslator());
  struct Row {
    const wchar_t* text;
    int value;
  };
  const Row rows[] = {
      {L"gb2312", 134}, {L"GB2312", 134},   {L"134", 134},     {L"bogus", 0},  {L"ansi", 0},
      {L"Default", 1},  {L"symbol", 2},     {L"SHIFTJIS", 128}, {L"hangeul", 129}, {L"hangul", 129},
      {L"chinesebig5", 136}, {L"oem", 255}, {L"johab", 130},   {L"hebrew", 177}, {L"arabic", 178},
      {L"greek", 161},  {L"turkish", 162},  {L"vietnamese", 163}, {L"thai", 222}, {L"easteurope", 238},
      {L"russian", 204}, {L"mac", 77},      {L"baltic", 186},  {L"999", 255},  {L"-5", 0},
  };
  for (const Row& row : rows) {
    CAPTURE(row.value);
    CHECK(tr->charsetFromString(row.text) == row.value);
  }
}

TEST_CASE("font substitution replaces face and character set only for a known name") {
  SAutoRefPtr<ITranslator> tr = LoadTranslator(kChinese);
  LOGFONTW lf = {};
  lf.lfHeight = -12;
  lf.lfCharSet = 1;
  wcscpy(lf.lfFaceName, L"Tahoma");
  LOGFONTW before = lf;
  CHECK_FALSE(tr->getFontInfo(L"title", &lf));
  CHECK(memcmp(&lf, &before, sizeof(lf)) == 0);
  CHECK(tr->getFontInfo(L"default", &lf));
  CHECK(lf.lfCharSet == 134);
  CHECK(std::wstring(lf.lfFaceName) == L"SimSun");
  CHECK(lf.lfHeight == -12);

  SAutoRefPtr<ITranslatorMgr> mgr = NewManager();
  lf = before;
  CHECK_FALSE(mgr->UpdateLogFont(L"default", &lf));  // nothing installed
  REQUIRE(mgr->InstallTranslator(tr));
  CHECK_FALSE(mgr->UpdateLogFont(L"unknown", &lf));
  CHECK(memcmp(&lf, &before, sizeof(lf)) == 0);
  CHECK(mgr->UpdateLogFont(L"default", &lf));
  CHECK(lf.lfCharSet == 134);
}

TEST_CASE("the manager: one language, distinct GUIDs, newest first") {
  SAutoRefPtr<ITranslatorMgr> mgr = NewManager();
  const char* g1 = "{00000001-0000-0000-0000-000000000000}";
  const char* g2 = "{00000002-0000-0000-0000-000000000000}";
  SAutoRefPtr<ITranslator> older = LoadTranslator(Language("cn", g1, "Hi", "older"));
  SAutoRefPtr<ITranslator> newer = LoadTranslator(Language("cn", g2, "Hi", "newer"));
  SAutoRefPtr<ITranslator> again = LoadTranslator(Language("cn", g1, "Hi", "again"));
  SAutoRefPtr<ITranslator> english = LoadTranslator(Language("en", "", "Hi", "english"));
  wchar_t buf[64];

  mgr->GetLanguage(buf);
  CHECK(std::wstring(buf).empty());
  CHECK(mgr->tr(L"Hi", L"", buf, 64) == 0);
  CHECK(mgr->InstallTranslator(older));
  mgr->GetLanguage(buf);
  CHECK(std::wstring(buf) == L"cn");
  CHECK_FALSE(mgr->InstallTranslator(again));    // same GUID
  CHECK_FALSE(mgr->InstallTranslator(english));  // another language
  CHECK(mgr->InstallTranslator(newer));
  CHECK(mgr->tr(L"Hi", L"any", buf, 64) == 6);
  CHECK(std::wstring(buf) == L"newer");
  CHECK(mgr->tr(L"Hi", L"any", buf, 3) == -1);  // the newest answer stands, even "too small"
  CHECK(mgr->tr(L"", L"any", buf, 64) == 0);
  CHECK(mgr->tr(L"Bye", L"any", buf, 64) == 0);

  const GUID id2 = newer->GetGuid();
  CHECK(mgr->UninstallTranslator(id2));
  CHECK_FALSE(mgr->UninstallTranslator(id2));
  CHECK(mgr->tr(L"Hi", L"", buf, 64) == 6);
  CHECK(std::wstring(buf) == L"older");

  mgr->SetLanguage(L"cn");  // the same name keeps the translators
  CHECK(mgr->tr(L"Hi", L"", nullptr, 0) == 6);
  mgr->SetLanguage(L"en");
  CHECK(mgr->tr(L"Hi", L"", nullptr, 0) == 0);
  CHECK(mgr->InstallTranslator(english));
  CHECK(mgr->tr(L"Hi", L"", buf, 64) == 8);

  // Two languages without a GUID share the all-zero one.
  SAutoRefPtr<ITranslator> noGuid = LoadTranslator(Language("en", "", "Yes", "yes"));
  CHECK_FALSE(mgr->InstallTranslator(noGuid));

  ITranslator* created = nullptr;
  REQUIRE(mgr->CreateTranslator(&created));
  REQUIRE(created != nullptr);
  CHECK(created->tr(L"Hi", L"", nullptr, 0) == 0);
  created->Release();
}

TEST_CASE("start-up from the program's resources: definition, then language, then Translate") {
  UiDefRig rig;
  IResProvider* pe = nullptr;
  REQUIRE(CreateResProvider(RES_PE, &pe));
  REQUIRE(pe->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  rig.app->AddResProvider(pe, L"uidef:xml_init");
  pe->Release();
  REQUIRE(rig.Current() != nullptr);
  CHECK(GetNamedString(L"@string/title") == L"Tevaro");
  CHECK(GetNamedColor(L"@color/border") == 0xFF808080);
  CHECK(rig.Current()->GetDefFontInfo().style.GetSize() == 13);

  SAutoRefPtr<ITranslatorMgr> mgr = NewManager();
  rig.app->SetTranslator(mgr);
  ITranslator* tr = nullptr;
  REQUIRE(mgr->CreateTranslator(&tr));
  pugi::xml_document doc;
  REQUIRE(rig.app->LoadXmlDocument(doc, L"cn", L"translator"));
  pugi::xml_node language = doc.child(L"language");
  REQUIRE(tr->Load(&language, STranslator::kLoadXmlNode));
  REQUIRE(mgr->InstallTranslator(tr));
  tr->Release();

  CHECK(std::wstring(rig.app->Translate(L"Connect", L"XML_MAINWND")) == L"\u8fde\u63a5");
  CHECK(std::wstring(rig.app->Translate(L"Cancel", L"XML_MAINWND")) == kQuXiao);
  CHECK(std::wstring(rig.app->Translate(L"Connect", L"other")) == L"Connect");
  CHECK(std::wstring(rig.app->Translate(L"", L"XML_MAINWND")).empty());

  // Fonts of the definition's name take the language's face.
  SAutoRefPtr<IFont> font = SFontPool::getSingleton().GetFont(L"", 100);
  REQUIRE(font != nullptr);
  CHECK(std::wstring(font->LogFont()->lfFaceName) == L"\u5b8b\u4f53");
  CHECK(font->LogFont()->lfCharSet == 134);
}
