// The root attributes of a host window's layout (the "SWUI" element): size, resizing border,
// minimum and maximised sizes, window styles, translucency, opacity, icons, title and its
// translation context, and the window type that decides whether closing the window ends the
// message loop.
#pragma once
#include <windows.h>

#include "core/ITrCtxProvider.h"
#include "core/SLayoutSize.h"
#include "base/SObjectImpl.h"
#include "core/STrText.h"

namespace SWUI {

// Whether destroying a host window ends the message loop.
enum HostWndType : BYTE {
  WT_UNDEFINE = 0,  // only an overlapped, non-tool window does
  WT_APPMAIN = 1,   // always
  WT_NORMAL = 2,    // never
};

class SHostWndAttr : public SObjectImpl<IObject>, public ITrCtxProvider {
  SWUI_CLASS_NAME_EX(SObjectImpl<IObject>, L"SHostWndAttr", OBJ_TYPE_UNDEF)

 public:
  SHostWndAttr();
  ~SHostWndAttr() override;
  SHostWndAttr(const SHostWndAttr&) = delete;
  SHostWndAttr& operator=(const SHostWndAttr&) = delete;

  // Back to the defaults (icons destroyed).
  void Init();

  // Names compare without case; "wndType" words with case. A list with the wrong number of
  // items is E_INVALIDARG, an unknown "wndType" word E_FAIL; either keeps the old value.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SObjectImpl<IObject>::SetAttribute;

  SStringW GetTrCtx() const override { return m_strTrCtx; }

  // Lengths in pixels at a scale.
  RECT GetMargin(int scale) const;
  RECT GetMaxInset(int scale) const;
  SIZE GetMinSize(int scale) const;
  const SLayoutSize& GetWidth() const { return m_width; }
  const SLayoutSize& GetHeight() const { return m_height; }
  void SetWidth(const SLayoutSize& width) { m_width = width; }
  void SetHeight(const SLayoutSize& height) { m_height = height; }
  // A window sized by its content on an axis has no resizing border there.
  void ClearHorzMargin();
  void ClearVertMargin();

  BYTE GetAlpha() const { return static_cast<BYTE>(m_dwFlags & 0xFF); }
  BYTE GetWndType() const { return static_cast<BYTE>((m_dwFlags >> 8) & 0xFF); }
  BOOL IsResizable() const { return Flag(kResizable); }
  BOOL IsAppWnd() const { return Flag(kAppWnd); }
  BOOL IsToolWindow() const { return Flag(kToolWindow); }
  BOOL IsTranslucent() const { return Flag(kTranslucent); }
  BOOL IsAllowSpy() const { return Flag(kAllowSpy); }
  BOOL IsSendWheel2Hover() const { return Flag(kSendWheel2Hover); }
  DWORD GetWndStyle() const { return m_dwStyle; }
  DWORD GetWndStyleEx() const { return m_dwExStyle; }
  // The title translated in the attributes' context.
  SStringW GetTitle() const { return m_strTitle.GetText(FALSE); }
  void TranslateTitle() { m_strTitle.TranslateText(); }
  HICON GetSmallIcon() const { return m_hIconSmall; }
  HICON GetBigIcon() const { return m_hIconBig; }

 private:
  enum : DWORD {
    kResizable = 1u << 16,
    kAppWnd = 1u << 17,
    kToolWindow = 1u << 18,
    kTranslucent = 1u << 19,
    kAllowSpy = 1u << 20,
    kSendWheel2Hover = 1u << 21,
  };
  BOOL Flag(DWORD bit) const { return (m_dwFlags & bit) != 0; }
  void SetFlag(DWORD bit, BOOL on);
  void SetWndType(BYTE type) {
    m_dwFlags = (m_dwFlags & ~0xFF00u) | (static_cast<DWORD>(type) << 8);
  }
  void ReplaceIcon(HICON& slot, HICON icon);

  SLayoutSize m_margin[4];
  SLayoutSize m_minSize[2];
  SLayoutSize m_width;
  SLayoutSize m_height;
  SLayoutSize m_maxInset[4];
  DWORD m_dwFlags = 0;
  DWORD m_dwStyle = 0;
  DWORD m_dwExStyle = 0;
  SStringW m_strTrCtx;
  STrText m_strTitle;
  HICON m_hIconSmall = nullptr;
  HICON m_hIconBig = nullptr;
};

}  // namespace SWUI
