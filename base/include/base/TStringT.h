// The framework's copy-on-write string over a character type. A string is one pointer to the
// characters of a block (SStringData header in front); copies share the block, every write
// first makes the block the writer's own, blocks are sized exactly (no slack), and all empty
// strings that own no buffer point at the one static empty block.
//
// Allocation failure never throws: the string stays valid and the operation reports false or
// null (or leaves the string as it was).
#pragma once
#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "base/SStringData.h"
#include "base/SwuiMem.h"
#include "base/TStringTraits.h"

namespace SWUI {

template <class T>
class TStringT {
 public:
  using XCHAR = T;
  using Traits = TStringTraits<T>;

  TStringT() : m_psz(EmptyChars()) {}
  TStringT(const T* psz) : m_psz(EmptyChars()) { InitCopy(psz, Traits::Length(psz)); }
  // nLength < 0 measures the text; a null text or a length of 0 gives the empty string.
  TStringT(const T* pch, int nLength) : m_psz(EmptyChars()) {
    if (!pch) return;
    if (nLength < 0) nLength = Traits::Length(pch);
    InitCopy(pch, nLength);
  }
  TStringT(const TStringT& src) : m_psz(EmptyChars()) {
    SStringData* data = src.GetData();
    if (data->nRefs >= 0) {
      data->AddRef();
      m_psz = src.m_psz;
    } else {
      InitCopy(src.m_psz, data->nDataLength);
    }
  }
  // A locked source keeps its buffer: the new string takes a copy.
  TStringT(TStringT&& src) noexcept : m_psz(EmptyChars()) {
    if (src.IsLocked()) {
      InitCopy(src.m_psz, src.GetLength());
    } else {
      m_psz = src.m_psz;
      src.m_psz = EmptyChars();
    }
  }
  ~TStringT() { GetData()->Release(); }

  TStringT& operator=(const TStringT& src) {
    if (m_psz == src.m_psz) return *this;
    SStringData* mine = GetData();
    SStringData* theirs = src.GetData();
    if (!mine->IsLocked() && theirs->nRefs >= 0) {
      theirs->AddRef();
      mine->Release();
      m_psz = src.m_psz;
    } else {
      AssignCopy(src.m_psz, theirs->nDataLength);
    }
    return *this;
  }
  TStringT& operator=(TStringT&& src) noexcept {
    if (this == &src) return *this;
    if (IsLocked() || src.IsLocked()) return *this = static_cast<const TStringT&>(src);
    GetData()->Release();
    m_psz = src.m_psz;
    src.m_psz = EmptyChars();
    return *this;
  }
  // The text may lie inside this string's own buffer.
  TStringT& operator=(const T* psz) {
    const int n = Traits::Length(psz);
    if (n > 0 && PointsIntoBuffer(psz)) {
      TStringT copy(psz, n);
      AssignCopy(copy.m_psz, n);
    } else {
      AssignCopy(psz, n);
    }
    return *this;
  }
  TStringT& operator=(T ch) {
    const T text[2] = {ch, 0};
    AssignCopy(text, ch ? 1 : 0);
    return *this;
  }

  // ---- access -----------------------------------------------------------------------------
  int GetLength() const { return GetData()->nDataLength; }
  bool IsEmpty() const { return GetData()->nDataLength == 0; }
  // No bounds check: callers keep 0 <= index < length.
  T operator[](int index) const { return m_psz[index]; }
  T GetAt(int index) const { return m_psz[index]; }
  // Writes one character (index within the length); false when the block cannot be made own.
  bool SetAt(int index, T ch) {
    if (index < 0 || index >= GetLength() || !CopyBeforeWrite()) return false;
    m_psz[index] = ch;
    return true;
  }
  operator const T*() const { return m_psz; }
  const T* c_str() const { return m_psz; }
  // The block header, for tests and diagnostics.
  SStringData* GetData() const { return reinterpret_cast<SStringData*>(m_psz) - 1; }
  bool IsLocked() const { return GetData()->IsLocked(); }

  // ---- write preparation ------------------------------------------------------------------
  // Makes the block writable with room for n characters; the content is not kept. Keeps the
  // block when unshared and large enough, else takes a new block of exactly n (the empty
  // block for n = 0). False on allocation failure, the string unchanged.
  bool AllocBeforeWrite(int n) {
    SStringData* data = GetData();
    if (n < 0) return false;
    if (!data->IsEmptyBlock() && data->nRefs < 2 && data->nAllocLength >= n) return true;
    if (n == 0) {
      data->Release();
      m_psz = EmptyChars();
      return true;
    }
    SStringData* fresh = SStringData::Allocate(n, sizeof(T));
    if (!fresh) return false;
    if (data->IsLocked()) fresh->nRefs = -1;
    data->Release();
    m_psz = static_cast<T*>(fresh->Chars());
    return true;
  }
  // Gives a shared block's writer its own copy. False on allocation failure (still shared).
  bool CopyBeforeWrite() {
    SStringData* data = GetData();
    if (data->nRefs <= 1) return true;
    SStringData* fresh = SStringData::Allocate(data->nDataLength, sizeof(T));
    if (!fresh) return false;
    std::memcpy(fresh->Chars(), m_psz, (data->nDataLength + 1) * sizeof(T));
    data->Release();
    m_psz = static_cast<T*>(fresh->Chars());
    return true;
  }
  // An unshared block of exactly n characters keeping the content (cut at n); afterwards the
  // length is n, characters past the old length are zero, a NUL stands at n. False when the
  // heap refuses: the string is then left exactly as it was.
  bool ReallocBuffer(int n) { return ResizeBlock(n, true); }

  // ---- buffer access ----------------------------------------------------------------------
  // A writable buffer of at least nMinLength characters (the length is kept); null on failure.
  T* GetBuffer(int nMinLength = 0) {
    SStringData* data = GetData();
    if (nMinLength < 0) nMinLength = 0;
    if (!data->IsEmptyBlock() && data->nRefs < 2 && data->nAllocLength >= nMinLength) return m_psz;
    const int length = data->nDataLength;
    if (!ReallocBuffer(nMinLength > length ? nMinLength : length)) return nullptr;
    SetLengthRaw(length);
    return m_psz;
  }
  T* GetBufferSetLength(int n) {
    if (n < 0) n = 0;
    T* buf = GetBuffer(n);
    if (buf) SetLengthRaw(n);
    return buf;
  }
  // Ends a write into the buffer: n is clamped to the capacity; -1 (or any negative) measures
  // the text, looking at no more than the capacity.
  void ReleaseBuffer(int n = -1) {
    if (!CopyBeforeWrite()) return;
    SStringData* data = GetData();
    if (data->IsEmptyBlock()) return;
    if (n < 0) n = Traits::BoundedLength(m_psz, data->nAllocLength);
    if (n > data->nAllocLength) n = data->nAllocLength;
    SetLengthRaw(n);
  }
  // Locks the buffer: the block is never shared until UnlockBuffer (copies take the
  // characters). Null on allocation failure.
  T* LockBuffer() {
    T* buf = GetBuffer(0);
    if (buf) GetData()->nRefs = -1;
    return buf;
  }
  void UnlockBuffer() {
    if (GetData()->IsLocked()) GetData()->nRefs = 1;
  }

  // ---- modification -----------------------------------------------------------------------
  // A locked string keeps its buffer; any other releases its block.
  void Empty() {
    SStringData* data = GetData();
    if (data->nDataLength == 0) return;
    if (data->IsLocked()) {
      SetLengthRaw(0);
      return;
    }
    data->Release();
    m_psz = EmptyChars();
  }

  TStringT& operator+=(T ch) {
    const T text[1] = {ch};
    ConcatInPlace(1, text);
    return *this;
  }
  TStringT& operator+=(const T* psz) {
    ConcatInPlace(Traits::Length(psz), psz);
    return *this;
  }
  TStringT& operator+=(const TStringT& src) {
    const TStringT hold(src);  // keeps the source alive when it is this string (s += s)
    ConcatInPlace(hold.GetLength(), hold.m_psz);
    return *this;
  }
  TStringT& Append(const T* pch, int n) {
    if (pch && n < 0) n = Traits::Length(pch);
    if (pch) ConcatInPlace(n, pch);
    return *this;
  }
  TStringT& Append(const TStringT& src) { return *this += src; }
  // Appends n characters; the text may lie inside this string's own buffer. False (string
  // unchanged) when the block cannot grow.
  bool ConcatInPlace(int n, const T* pch) {
    if (n <= 0 || !pch) return true;
    SStringData* data = GetData();
    const int length = data->nDataLength;
    if (static_cast<int64_t>(length) + n > SStringData::MaxLength(sizeof(T))) return false;
    if (!data->IsEmptyBlock() && data->nRefs < 2 && length + n <= data->nAllocLength) {
      std::memmove(m_psz + length, pch, n * sizeof(T));
    } else {
      if (PointsIntoBuffer(pch)) {
        const TStringT copy(pch, n);
        return ConcatInPlace(n, copy.m_psz);
      }
      if (!ResizeBlock(length + n, false)) return false;
      std::memcpy(m_psz + length, pch, n * sizeof(T));
    }
    SetLengthRaw(length + n);
    return true;
  }

  // Removes leading and trailing LF, CR, space and tab (exactly these four).
  TStringT& Trim() {
    const int length = GetLength();
    if (length == 0) return *this;
    int first = 0;
    while (first < length && Traits::IsTrimSpace(m_psz[first])) ++first;
    int last = length - 1;
    while (last >= first && Traits::IsTrimSpace(m_psz[last])) --last;
    if (first > last) {
      Empty();
    } else if (first > 0 || last < length - 1) {
      *this = Mid(first, last - first + 1);
    }
    return *this;
  }
  // Lower-cases A to Z in place (no other letters).
  TStringT& MakeLower() {
    if (IsEmpty() || !CopyBeforeWrite()) return *this;
    for (int i = 0, n = GetLength(); i < n; ++i) m_psz[i] = Traits::ToLower(m_psz[i]);
    return *this;
  }

  // ---- extraction and search --------------------------------------------------------------
  // Clamping: negative counts and positions count as 0; runs are cut at the end.
  TStringT Left(int n) const { return Mid(0, n); }
  TStringT Right(int n) const {
    const int length = GetLength();
    if (n < 0) n = 0;
    if (n > length) n = length;
    return Mid(length - n, n);
  }
  TStringT Mid(int first) const { return Mid(first, GetLength()); }
  TStringT Mid(int first, int count) const {
    const int64_t length = GetLength();
    int64_t from = first < 0 ? 0 : first;
    int64_t n = count < 0 ? 0 : count;
    if (from >= length || n == 0) return TStringT();
    if (from + n > length) n = length - from;
    if (from == 0 && n == length) return *this;
    return TStringT(m_psz + from, static_cast<int>(n));
  }
  // Index of the first ch at or after start, or -1.
  int Find(T ch, int start = 0) const {
    const int length = GetLength();
    if (start < 0) start = 0;
    for (int i = start; i < length; ++i)
      if (m_psz[i] == ch) return i;
    return -1;
  }
  // Index of the first occurrence of a non-empty text at or after start, or -1.
  int Find(const T* sub, int start = 0) const {
    const int length = GetLength();
    const int n = Traits::Length(sub);
    if (start < 0) start = 0;
    if (n == 0 || n > length) return -1;
    for (int i = start; i <= length - n; ++i)
      if (std::memcmp(m_psz + i, sub, n * sizeof(T)) == 0) return i;
    return -1;
  }
  int ReverseFind(T ch) const {
    for (int i = GetLength() - 1; i >= 0; --i)
      if (m_psz[i] == ch) return i;
    return -1;
  }

  // ---- comparison -------------------------------------------------------------------------
  int Compare(const T* psz) const { return Traits::Compare(m_psz, psz ? psz : EmptyChars()); }
  // A to Z fold only.
  int CompareNoCase(const T* psz) const {
    return Traits::CompareNoCase(m_psz, psz ? psz : EmptyChars());
  }
  friend bool operator==(const TStringT& a, const TStringT& b) {
    return a.m_psz == b.m_psz ||
           (a.GetLength() == b.GetLength() &&
            std::memcmp(a.m_psz, b.m_psz, a.GetLength() * sizeof(T)) == 0);
  }
  friend bool operator==(const TStringT& a, const T* b) { return a.Compare(b) == 0; }
  friend bool operator==(const T* a, const TStringT& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const TStringT& a, const TStringT& b) { return !(a == b); }
  friend bool operator!=(const TStringT& a, const T* b) { return !(a == b); }
  friend bool operator!=(const T* a, const TStringT& b) { return !(a == b); }
  friend bool operator<(const TStringT& a, const TStringT& b) { return a.Compare(b.m_psz) < 0; }

  // ---- concatenation ----------------------------------------------------------------------
  // One new block of the summed length; a null text counts as empty.
  friend TStringT operator+(const TStringT& a, const TStringT& b) {
    return Concat(a.m_psz, a.GetLength(), b.m_psz, b.GetLength());
  }
  friend TStringT operator+(const TStringT& a, const T* b) {
    return Concat(a.m_psz, a.GetLength(), b, Traits::Length(b));
  }
  friend TStringT operator+(const T* a, const TStringT& b) {
    return Concat(a, Traits::Length(a), b.m_psz, b.GetLength());
  }
  friend TStringT operator+(const TStringT& a, T ch) {
    const T text[1] = {ch};
    return Concat(a.m_psz, a.GetLength(), text, 1);
  }

  // ---- formatting (the runtime's printf rules, see SFormatter) ----------------------------
  // Null or empty format, a rejected format or nothing to write: the string is emptied and
  // the result is false. Arguments may point into this string's own buffer.
  bool FormatV(const T* fmt, va_list args) {
    if (!fmt || !*fmt) {
      Empty();
      return false;
    }
    va_list counting;
    va_copy(counting, args);
    const int count = Traits::FormatCount(fmt, counting);
    va_end(counting);
    if (count < 1 || count > SStringData::MaxLength(sizeof(T))) {
      Empty();
      return false;
    }
    T stackBuf[256];
    T* buf = stackBuf;
    if (count >= static_cast<int>(sizeof(stackBuf) / sizeof(T))) {
      buf = static_cast<T*>(SwuiMalloc((static_cast<size_t>(count) + 1) * sizeof(T)));
      if (!buf) return false;
    }
    const int written = Traits::FormatInto(buf, count + 1, fmt, args);
    const bool ok = written == count;
    if (ok) AssignCopy(buf, count);
    else Empty();
    if (buf != stackBuf) SwuiFree(buf);
    return ok;
  }
  // Formats into this string and returns a copy of the result.
  TStringT Format(const T* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
    return *this;
  }

 private:
  static T* EmptyChars() { return static_cast<T*>(SStringData::EmptyBlock()->Chars()); }

  static TStringT Concat(const T* a, int na, const T* b, int nb) {
    TStringT result;
    const int64_t total = static_cast<int64_t>(na) + nb;
    if (total == 0 || total > SStringData::MaxLength(sizeof(T))) return result;
    SStringData* block = SStringData::Allocate(static_cast<int>(total), sizeof(T));
    if (!block) return result;
    T* chars = static_cast<T*>(block->Chars());
    if (na) std::memcpy(chars, a, na * sizeof(T));
    if (nb) std::memcpy(chars + na, b, nb * sizeof(T));
    result.m_psz = chars;
    return result;
  }

  // Only for a string still on the empty block (constructors).
  void InitCopy(const T* pch, int n) {
    if (!pch || n <= 0) return;
    SStringData* block = SStringData::Allocate(n, sizeof(T));
    if (!block) return;
    std::memcpy(block->Chars(), pch, n * sizeof(T));
    m_psz = static_cast<T*>(block->Chars());
  }

  // Replaces the content with n characters that do not lie in this string's buffer (or lie
  // in a block the string keeps, then memmove keeps them right).
  void AssignCopy(const T* pch, int n) {
    if (n <= 0 || !pch) {
      Empty();
      return;
    }
    if (!AllocBeforeWrite(n)) return;
    std::memmove(m_psz, pch, n * sizeof(T));
    SetLengthRaw(n);
  }

  bool PointsIntoBuffer(const T* p) const {
    const auto at = reinterpret_cast<uintptr_t>(p);
    const auto begin = reinterpret_cast<uintptr_t>(m_psz);
    const auto end = reinterpret_cast<uintptr_t>(m_psz + GetData()->nAllocLength + 1);
    return at >= begin && at < end;
  }

  // Sets the length of an owned block and puts the NUL after it.
  void SetLengthRaw(int n) {
    SStringData* data = GetData();
    if (data->IsEmptyBlock()) return;
    data->nDataLength = n;
    m_psz[n] = 0;
  }

  // ReallocBuffer's work; zeroFill clears characters between the old length and n.
  bool ResizeBlock(int n, bool zeroFill) {
    if (n < 0) return false;
    SStringData* data = GetData();
    const int length = data->nDataLength;
    const int kept = length < n ? length : n;
    T* chars = nullptr;
    if (!data->IsEmptyBlock() && data->nRefs < 2) {
      SStringData* grown = SStringData::Reallocate(data, n, sizeof(T));
      if (!grown) return false;  // the old block is untouched
      chars = static_cast<T*>(grown->Chars());
    } else {
      SStringData* fresh = SStringData::Allocate(n, sizeof(T));
      if (!fresh) return false;
      chars = static_cast<T*>(fresh->Chars());
      if (kept) std::memcpy(chars, m_psz, kept * sizeof(T));
      data->Release();
    }
    if (zeroFill && n > kept) std::memset(chars + kept, 0, (n - kept) * sizeof(T));
    m_psz = chars;
    SStringData* block = GetData();
    block->nDataLength = n;
    block->nAllocLength = n;
    m_psz[n] = 0;
    return true;
  }

  T* m_psz;
};

}  // namespace SWUI
