#include "base/SObjectInfo.h"

namespace SWUI {

SObjectInfo::SObjectInfo(LPCWSTR name, int type) : m_name(name), m_type(type) {
  m_name.MakeLower();
}

unsigned int SObjectInfo::Hash() const {
  unsigned int h = 0;
  for (int i = 0; i < m_name.GetLength(); ++i) {
    h = h * 33 + static_cast<unsigned int>(m_name[i]);
  }
  return h * 32 + static_cast<unsigned int>(m_type);
}

}  // namespace SWUI
