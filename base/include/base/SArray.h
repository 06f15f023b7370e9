// The framework's growable array. Storage comes from SwuiMalloc; when it must grow it grows
// by one eighth of its element count, at least 4 and at most 1024 elements at a time (more
// when one operation needs more). Elements are moved into new storage, so any movable type
// may be stored. Allocation failure never throws: the operation reports failure and the
// array is left as it was.
#pragma once
#include <cstddef>
#include <new>
#include <utility>

#include "base/SwuiMem.h"

namespace SWUI {

template <class T>
class SArray {
 public:
  static constexpr size_t kNotFound = static_cast<size_t>(-1);

  SArray() = default;
  SArray(const SArray& src) { Copy(src); }
  SArray(SArray&& src) noexcept : m_data(src.m_data), m_count(src.m_count), m_alloc(src.m_alloc) {
    src.m_data = nullptr;
    src.m_count = src.m_alloc = 0;
  }
  ~SArray() { Reset(); }
  SArray& operator=(const SArray& src) {
    if (this != &src) Copy(src);
    return *this;
  }
  SArray& operator=(SArray&& src) noexcept {
    if (this != &src) {
      Reset();
      m_data = src.m_data;
      m_count = src.m_count;
      m_alloc = src.m_alloc;
      src.m_data = nullptr;
      src.m_count = src.m_alloc = 0;
    }
    return *this;
  }

  size_t GetCount() const { return m_count; }
  bool IsEmpty() const { return m_count == 0; }
  // Capacity in elements.
  size_t GetAllocSize() const { return m_alloc; }

  // No bounds check beyond the caller's: 0 <= index < GetCount().
  T& operator[](size_t index) { return m_data[index]; }
  const T& operator[](size_t index) const { return m_data[index]; }
  T& GetAt(size_t index) { return m_data[index]; }
  const T& GetAt(size_t index) const { return m_data[index]; }
  void SetAt(size_t index, const T& element) { m_data[index] = element; }
  T* GetData() { return m_data; }
  const T* GetData() const { return m_data; }

  T* begin() { return m_data; }
  T* end() { return m_data + m_count; }
  const T* begin() const { return m_data; }
  const T* end() const { return m_data + m_count; }

  // Index of the new element, or kNotFound when the array cannot grow. The element may be
  // one of this array's own.
  size_t Add(const T& element) { return Emplace(element); }
  size_t Add(T&& element) { return Emplace(std::move(element)); }

  // Inserts count copies of element before index (index <= count). False when it cannot grow.
  bool InsertAt(size_t index, const T& element, size_t count = 1) {
    if (index > m_count) return false;
    if (count == 0) return true;
    if (IsOwnElement(&element)) {
      const T copy(element);
      return InsertAt(index, copy, count);
    }
    if (count > kNotFound - m_count || !Reserve(m_count + count)) return false;
    // Shift the tail up by count, from the back.
    for (size_t i = m_count; i > index; --i) {
      new (m_data + i - 1 + count) T(std::move(m_data[i - 1]));
      m_data[i - 1].~T();
    }
    for (size_t i = 0; i < count; ++i) new (m_data + index + i) T(element);
    m_count += count;
    return true;
  }
  // Removes count elements from index; out-of-range parts are ignored.
  void RemoveAt(size_t index, size_t count = 1) {
    if (index >= m_count) return;
    if (count > m_count - index) count = m_count - index;
    for (size_t i = index; i + count < m_count; ++i) m_data[i] = std::move(m_data[i + count]);
    for (size_t i = m_count - count; i < m_count; ++i) m_data[i].~T();
    m_count -= count;
  }
  // Destroys every element and frees the storage.
  void RemoveAll() { Reset(); }
  // New elements are value-initialised; false (array unchanged) when it cannot grow.
  bool SetCount(size_t count) {
    if (count < m_count) {
      RemoveAt(count, m_count - count);
      return true;
    }
    if (!Reserve(count)) return false;
    for (size_t i = m_count; i < count; ++i) new (m_data + i) T();
    m_count = count;
    return true;
  }
  // Index of the first element equal to value, or kNotFound.
  size_t Find(const T& value) const {
    for (size_t i = 0; i < m_count; ++i)
      if (m_data[i] == value) return i;
    return kNotFound;
  }
  // Appends copies of src's elements; the new count, or kNotFound when it cannot grow.
  size_t Append(const SArray& src) {
    if (&src == this) {
      const SArray copy(src);
      return Append(copy);
    }
    if (src.m_count > kNotFound - m_count || !Reserve(m_count + src.m_count)) return kNotFound;
    for (size_t i = 0; i < src.m_count; ++i) new (m_data + m_count + i) T(src.m_data[i]);
    m_count += src.m_count;
    return m_count;
  }
  // Replaces the content with copies of src's elements.
  void Copy(const SArray& src) {
    if (&src == this) return;
    Reset();
    Append(src);
  }

 private:
  template <class U>
  size_t Emplace(U&& element) {
    if (IsOwnElement(&element)) {
      T copy(std::forward<U>(element));
      return Emplace(std::move(copy));
    }
    if (m_count == kNotFound || !Reserve(m_count + 1)) return kNotFound;
    new (m_data + m_count) T(std::forward<U>(element));
    return m_count++;
  }

  bool IsOwnElement(const T* p) const { return m_data && p >= m_data && p < m_data + m_count; }

  // Makes room for at least need elements, growing by the array's step.
  bool Reserve(size_t need) {
    if (need <= m_alloc) return true;
    size_t step = m_count / 8;
    if (step < 4) step = 4;
    if (step > 1024) step = 1024;
    size_t target = m_count + step;
    if (target < need) target = need;
    UINT bytes = 0;
    if (FAILED(MultiplyNoOverflow(&bytes, static_cast<UINT>(target), sizeof(T)))) return false;
    T* fresh = static_cast<T*>(SwuiMalloc(bytes));
    if (!fresh) return false;
    for (size_t i = 0; i < m_count; ++i) {
      new (fresh + i) T(std::move(m_data[i]));
      m_data[i].~T();
    }
    SwuiFree(m_data);
    m_data = fresh;
    m_alloc = target;
    return true;
  }

  void Reset() {
    for (size_t i = 0; i < m_count; ++i) m_data[i].~T();
    SwuiFree(m_data);
    m_data = nullptr;
    m_count = m_alloc = 0;
  }

  T* m_data = nullptr;
  size_t m_count = 0;
  size_t m_alloc = 0;
};

}  // namespace SWUI
