#include "HidDevice/HidApi.h"

#include <atomic>

namespace {
const HidApi kReal = {
    &HidD_GetHidGuid,
    &SetupDiGetClassDevsW,
    &SetupDiEnumDeviceInterfaces,
    &SetupDiGetDeviceInterfaceDetailW,
    &SetupDiDestroyDeviceInfoList,
    &CreateFileW,
    &HidD_GetAttributes,
    &HidD_GetPreparsedData,
    &HidD_FreePreparsedData,
    &HidP_GetCaps,
};
std::atomic<const HidApi*> g_api{&kReal};
}  // namespace

const HidApi& HidApi::Current() { return *g_api.load(); }

void HidApi::Bind(const HidApi* api) { g_api.store(api != nullptr ? api : &kReal); }

const HidApi& HidApi::Real() { return kReal; }
