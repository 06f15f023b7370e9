// The header of a string block, shared by the wide and the narrow strings. A block is this
// 12-byte header followed by nAllocLength + 1 characters, a NUL standing at nDataLength.
#pragma once
#include <windows.h>

#include <cstddef>

namespace SWUI {

struct SStringData {
  // Strings sharing the block; negative marks a block never shared (the empty block: -1,
  // or a locked buffer). Changed only with interlocked operations once the block is shared.
  LONG nRefs;
  int nDataLength;   // characters, terminator excluded
  int nAllocLength;  // capacity in characters, terminator excluded

  void* Chars() { return this + 1; }
  const void* Chars() const { return this + 1; }

  bool IsEmptyBlock() const { return this == EmptyBlock(); }
  bool IsShared() const { return nRefs > 1; }
  // Locked: never shared, but owned (unlike the empty block).
  bool IsLocked() const { return nRefs < 0 && !IsEmptyBlock(); }

  void AddRef() { InterlockedIncrement(&nRefs); }
  // Drops one reference and frees the block on the last one; the empty block is never touched.
  void Release();

  // The one static empty block: nRefs -1, lengths 0, then four zero bytes, so that it is an
  // empty wide string and an empty narrow string at once.
  static SStringData* EmptyBlock();

  // Largest length a block of the given character size may have.
  static int MaxLength(size_t charSize);
  // A new block of exactly nChars characters (nRefs 1, both lengths nChars, NUL at nChars),
  // or null when nChars is out of range or the heap refuses.
  static SStringData* Allocate(int nChars, size_t charSize);
  // The block resized to exactly nChars (nAllocLength = nChars; nDataLength kept, clipped to
  // nChars), or null with the old block untouched. Only for an owned, unshared block.
  static SStringData* Reallocate(SStringData* block, int nChars, size_t charSize);
};

static_assert(sizeof(SStringData) == 12, "the string header is 12 bytes");

}  // namespace SWUI
