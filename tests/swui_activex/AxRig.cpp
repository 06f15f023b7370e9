#include "AxRig.h"

#include <algorithm>

using namespace SWUI;

const CLSID kClsidMoviePlayer = {
    0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

void NotingActiveX::OnAxActivate(IUnknown* pCtrl) {
  AxTestNote(L"OnAxActivate");
  SActiveX::OnAxActivate(pCtrl);
}

void NotingActiveX::OnAxCreateFinished(BOOL bCreated) {
  AxTestNote(bCreated ? L"created" : L"not created");
}

void NotingActiveX::OnSetFocus(SwndHandle swndOld) {
  AxTestNote(L"focus");
  SActiveX::OnSetFocus(swndOld);
}

void NotingFlash::OnAxActivate(IUnknown* pCtrl) {
  AxTestNote(L"OnAxActivate");
  SFlashCtrl::OnAxActivate(pCtrl);
}

void NotingFlash::OnAxCreateFinished(BOOL bCreated) {
  AxTestNote(bCreated ? L"created" : L"not created");
}

AxRig::AxRig() : rig(240, 140) {
  REQUIRE(ole.ok());
  REQUIRE(registration.ok());
  rig.app.TplRegisterFactory<NotingActiveX>();
  rig.app.TplRegisterFactory<NotingFlash>();
  AxTestReset();
}

void AxRig::Load(const std::wstring& elements) {
  AxTestReset();
  rig.Load((L"<root>" + elements + L"</root>").c_str());
}

std::vector<std::wstring> AxRig::Record(int from) {
  std::vector<std::wstring> entries;
  for (int i = from; i < AxTestRecordCount(); ++i) entries.emplace_back(AxTestRecordEntry(i));
  return entries;
}

bool AxRig::Recorded(const std::wstring& entry) {
  const auto all = Record();
  return std::find(all.begin(), all.end(), entry) != all.end();
}

MoviePlayerStandIn::MoviePlayerStandIn() {
  REQUIRE(AxTestClassObject(kClsidAxStandIn, IID_IClassFactory,
                            reinterpret_cast<void**>(&factory_)) == S_OK);
  REQUIRE(CoRegisterClassObject(kClsidMoviePlayer, factory_, CLSCTX_INPROC_SERVER,
                                REGCLS_MULTIPLEUSE, &cookie_) == S_OK);
}

MoviePlayerStandIn::~MoviePlayerStandIn() {
  CoRevokeClassObject(cookie_);
  factory_->Release();
}

std::wstring AxElement(const wchar_t* name, const std::wstring& clsid, const wchar_t* more) {
  return std::wstring(L"<activex name='") + name + L"' pos='10,10,@200,@100' clsID='" + clsid +
         L"' " + more + L"/>";
}

std::wstring Joined(const std::vector<std::wstring>& entries) {
  std::wstring text;
  for (const std::wstring& entry : entries) text += (text.empty() ? L"" : L" | ") + entry;
  return text;
}

namespace doctest {
String StringMaker<std::vector<std::wstring>>::convert(const std::vector<std::wstring>& entries) {
  const std::wstring text = Joined(entries);
  return String(std::string(text.begin(), text.end()).c_str());
}
}  // namespace doctest
