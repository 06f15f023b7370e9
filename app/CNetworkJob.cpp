#include "CNetworkJob.h"

#include <cstring>

namespace {

volatile LONG g_lastJobNumber = 0;

void CopyText(char* record, const char* text, int length) {
  if (text == nullptr) return;
  const size_t n = strnlen(text, static_cast<size_t>(length));
  std::memcpy(record, text, n);
  record[n] = '\0';
}

}  // namespace

CNetworkJob::CNetworkJob(HWND window, LPARAM number) : m_window(window), m_number(number) {}

CNetworkJob* CNetworkJob::Create(HWND window) {
  return new CNetworkJob(window, InterlockedIncrement(&g_lastJobNumber));
}

void CNetworkJob::MakeApply(const WifiConfigBlock& block) {
  std::memset(&m_block, 0, sizeof m_block);
  std::memcpy(&m_block, &block, sizeof m_block);
  m_kind = kApply;
}

void CNetworkJob::AddRef() { InterlockedIncrement(&m_refs); }

void CNetworkJob::Release() {
  if (InterlockedDecrement(&m_refs) == 0) delete this;
}

bool CNetworkJob::HasOneOwner() const {
  return InterlockedCompareExchange(const_cast<volatile LONG*>(&m_refs), 0, 0) == 1;
}

const char* CNetworkJob::ListEntry(int index) const {
  return index >= 0 && index < kListSize ? m_list[index] : "";
}

void CNetworkJob::Run(CDeviceController& controller) {
  if (m_kind == kApply) {
    m_result = controller.SetWifiConfig(m_block);
    PostMessageW(m_window, kApplyDone, static_cast<WPARAM>(m_result), m_number);
    return;
  }
  if (!HasOneOwner()) RunQuery(controller);
  PostMessageW(m_window, kQueryDone, 0, m_number);
}

void CNetworkJob::RunQuery(CDeviceController& controller) {
  m_state = controller.QueryWifiState();
  controller.QueryWifiList();
  for (int i = 0; i < kListSize; ++i) {
    CopyText(m_list[i], controller.GetWifiListEntry(i), kNameLength);
  }
  if (m_state != 0) CopyText(m_joined, controller.QueryWifiConnection(), kNameLength);
}
