#include "control/STextPainter.h"

#include "control/SRichEdit.h"

namespace SWUI {

STextPainter::STextPainter() : STextHost(nullptr) {}

BOOL STextPainter::Start(SRichEdit* pEdit) {
  SetEdit(pEdit);
  const BOOL made = Init();
  if (made) pEdit->StartServices(this);
  SetEdit(nullptr);
  return made;
}

void STextPainter::Draw(SRichEdit* pEdit, const SStringW& text, IRenderTarget* pRT) {
  ITextServices* serv = GetTextService();
  if (serv == nullptr) return;
  SetEdit(pEdit);
  // An edit's own services get the text, then the layout of the place it is shown in.
  const bool newText = !m_bDrawn || text != m_strText;
  if (newText) {
    LRESULT set = 0;
    serv->TxSendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(text)), &set);
    m_strText = text;
  }
  const RECT rcClient = pEdit->GetClientRect();
  const bool moved = !EqualRect(&rcClient, &m_rcClient) ||
                     !EqualRect(&pEdit->m_rcInset, &m_rcInset) ||
                     pEdit->m_sizelExtent.cx != m_sizelExtent.cx ||
                     pEdit->m_sizelExtent.cy != m_sizelExtent.cy;
  if (newText || moved) {
    const DWORD changed = TXTBIT_CLIENTRECTCHANGE | TXTBIT_EXTENTCHANGE | TXTBIT_VIEWINSETCHANGE;
    serv->OnTxPropertyBitsChange(changed, changed);
    m_rcClient = rcClient;
    m_rcInset = pEdit->m_rcInset;
    m_sizelExtent = pEdit->m_sizelExtent;
  }
  m_bDrawn = true;
  SRichEdit::DrawServices(serv, pRT, rcClient, pEdit->GetServicesRect());
  SetEdit(nullptr);
}

}  // namespace SWUI
