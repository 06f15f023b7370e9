// The framework's allocator: every string block, array, map node pool and scratch buffer is
// allocated and freed through these wrappers, so that one heap serves them all.
#pragma once
#include <windows.h>

#include <cstddef>

namespace SWUI {

// A block of the given size in bytes, or null.
void* SwuiMalloc(size_t size);
// The block resized (possibly moved), or null; on null the old block is still valid.
void* SwuiRealloc(void* block, size_t size);
// A zeroed block of count * elemSize bytes, or null (also when the product does not fit in 32
// bits: the same requests are refused on 32-bit and 64-bit Windows).
void* SwuiCalloc(size_t count, size_t elemSize);
// Frees a block from the wrappers above; null is ignored.
void SwuiFree(void* block);

// S_OK and the product, or E_INVALIDARG when a * b does not fit in 32 bits. Array
// allocations check their byte size with it so that no size wraps around.
HRESULT MultiplyNoOverflow(UINT* product, UINT a, UINT b);

// Frees a singly linked chain of blocks whose first word points at the next block.
void FreeBlockChain(void* first);

}  // namespace SWUI
