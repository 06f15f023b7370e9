#include "core/STrText.h"

#include "core/SApplication.h"

namespace SWUI {

void STrText::SetText(const SStringW& text) {
  m_strRaw = text;
  TranslateText();
}

void STrText::TranslateText() {
  if (m_owner == nullptr) return;
  SApplication* app = SApplication::getSingletonPtr();
  m_strTr = app != nullptr ? app->Translate(m_strRaw, m_owner->GetTrCtx()) : m_strRaw;
}

}  // namespace SWUI
