// What the ActiveX element tests stand on: OLE, the test control registered, an element rig
// (memory target, recording container over a message-only host window) with two elements
// that note their hooks in the control's record ("notingax", "notingflash"), and the record
// read back as text.
#pragma once
#include <doctest/doctest.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "AxTestControl.h"
#include "AxTestRegistration.h"
#include "ElementRig.h"
#include "OleSession.h"
#include "control/SActiveX.h"
#include "control/SFlashCtrl.h"

// Notes "OnAxActivate", "created" / "not created" (the creation hook) and "focus" (the
// element got it) in the record.
class NotingActiveX : public SWUI::SActiveX {
  SWUI_CLASS_NAME(SWUI::SActiveX, L"notingax")

 public:
  // As a derived element makes its control when it chooses to.
  using SWUI::SActiveX::InitActiveX;

 protected:
  void OnAxActivate(IUnknown* pCtrl) override;
  void OnAxCreateFinished(BOOL bCreated) override;
  void OnSetFocus(SWUI::SwndHandle swndOld);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_SETFOCUS_EX(OnSetFocus)
  SWND_END_MSG_MAP(SWUI::SActiveX)
};

class NotingFlash : public SWUI::SFlashCtrl {
  SWUI_CLASS_NAME(SWUI::SFlashCtrl, L"notingflash")

 protected:
  void OnAxActivate(IUnknown* pCtrl) override;
  void OnAxCreateFinished(BOOL bCreated) override;
};

// The movie player's class id, which the stand-in takes for the process.
extern const CLSID kClsidMoviePlayer;

class AxRig {
 public:
  AxRig();

  // Loads the elements under the root (a 240 x 140 surface), the record cleared first.
  void Load(const std::wstring& elements);
  template <class T = SWUI::SActiveX>
  T* Find(LPCWSTR name) const {
    return rig.Find<T>(name);
  }
  // The record, whole or from an entry on.
  static std::vector<std::wstring> Record(int from = 0);
  // Whether the record has that entry.
  static bool Recorded(const std::wstring& entry);
  // The site of an element as one of its interfaces (with a reference).
  template <class I>
  static I* Site(SWUI::SActiveX* ax, REFIID iid) {
    I* site = nullptr;
    REQUIRE(ax->GetAxContainer()->QueryInterface(iid, reinterpret_cast<void**>(&site)) == S_OK);
    return site;
  }

  // In this order: the elements go while OLE and the registration still stand.
  OleSession ole;
  AxTestRegistration registration;
  ElementRig rig;
};

// The stand-in's class object registered as the movie player for the process while it lives.
class MoviePlayerStandIn {
 public:
  MoviePlayerStandIn();
  ~MoviePlayerStandIn();
  MoviePlayerStandIn(const MoviePlayerStandIn&) = delete;
  MoviePlayerStandIn& operator=(const MoviePlayerStandIn&) = delete;

 private:
  IClassFactory* factory_ = nullptr;
  DWORD cookie_ = 0;
};

// An activex element of the windowless test control at 10,10 sized 200 x 100.
std::wstring AxElement(const wchar_t* name, const std::wstring& clsid,
                       const wchar_t* more = L"");
// A COLORREF as a pixel's colour bits (0xRRGGBB).
inline DWORD Rgb(COLORREF colour) {
  return (static_cast<DWORD>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) |
         GetBValue(colour);
}
// Entries as one text, for messages.
std::wstring Joined(const std::vector<std::wstring>& entries);

namespace doctest {
template <>
struct StringMaker<std::vector<std::wstring>> {
  static String convert(const std::vector<std::wstring>& entries);
};
}  // namespace doctest
