// One decoded image with its frames; counted.
#pragma once
#include <windows.h>

#include <cstddef>

#include "IImgFrame.h"
#include "base/IObjRef.h"

namespace SWUI {

struct IImgX : IObjRef {
  // Decodes an encoded image held in memory, replacing any frames held; returns the frame
  // count (0 on failure).
  virtual int LoadFromMemory(void* pBuf, size_t bufLen) = 0;

  // Decodes a file named in the ANSI code page. The name must fit 260 wide characters; a name
  // that cannot be converted gives 0 frames without touching the image.
  virtual int LoadFromFileA(LPCSTR pszFileName) {
    if (pszFileName == nullptr) return 0;
    wchar_t wideName[MAX_PATH];
    int n = MultiByteToWideChar(CP_ACP, 0, pszFileName, -1, wideName, MAX_PATH);
    if (n <= 0) return 0;
    return LoadFromFileW(wideName);
  }

  // Decodes an image file, replacing any frames held; returns the frame count.
  virtual int LoadFromFileW(LPCWSTR pszFileName) = 0;

  virtual UINT GetFrameCount() = 0;
  // Frame iFrame, owned by the image; null when iFrame >= GetFrameCount().
  virtual IImgFrame* GetFrame(UINT iFrame) = 0;
  virtual ~IImgX() = default;
};

}  // namespace SWUI
