#include "base/SStringData.h"

#include <climits>

#include "base/SwuiMem.h"

namespace SWUI {

namespace {

struct EmptyStringBlock {
  SStringData header;
  BYTE zeros[4];
};

EmptyStringBlock g_emptyBlock = {{-1, 0, 0}, {0, 0, 0, 0}};

size_t BlockBytes(int nChars, size_t charSize) {
  return sizeof(SStringData) + (static_cast<size_t>(nChars) + 1) * charSize;
}

}  // namespace

SStringData* SStringData::EmptyBlock() { return &g_emptyBlock.header; }

void SStringData::Release() {
  if (IsEmptyBlock()) return;
  if (InterlockedDecrement(&nRefs) <= 0) SwuiFree(this);
}

int SStringData::MaxLength(size_t charSize) {
  return static_cast<int>((INT_MAX - sizeof(SStringData)) / charSize) - 1;
}

SStringData* SStringData::Allocate(int nChars, size_t charSize) {
  if (nChars < 0 || nChars > MaxLength(charSize)) return nullptr;
  auto* block = static_cast<SStringData*>(SwuiMalloc(BlockBytes(nChars, charSize)));
  if (!block) return nullptr;
  block->nRefs = 1;
  block->nDataLength = nChars;
  block->nAllocLength = nChars;
  BYTE* chars = static_cast<BYTE*>(block->Chars());
  for (size_t i = 0; i < charSize; ++i) chars[nChars * charSize + i] = 0;
  return block;
}

SStringData* SStringData::Reallocate(SStringData* block, int nChars, size_t charSize) {
  if (nChars < 0 || nChars > MaxLength(charSize)) return nullptr;
  auto* grown = static_cast<SStringData*>(SwuiRealloc(block, BlockBytes(nChars, charSize)));
  if (!grown) return nullptr;
  grown->nAllocLength = nChars;
  if (grown->nDataLength > nChars) grown->nDataLength = nChars;
  return grown;
}

}  // namespace SWUI
