#include "core/SCriticalSection.h"

namespace SWUI {

SCriticalSection::SCriticalSection() { InitializeCriticalSection(&cs_); }

SCriticalSection::~SCriticalSection() { DeleteCriticalSection(&cs_); }

void SCriticalSection::Enter() { EnterCriticalSection(&cs_); }

void SCriticalSection::Leave() { LeaveCriticalSection(&cs_); }

}  // namespace SWUI
