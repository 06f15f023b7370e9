// The framework's hash map SCmnMap: chained buckets over a node pool. Nodes are carved from
// blocks of SwuiMalloc memory (a chain freed at once with FreeBlockChain) and reused through a
// free list; the bucket table doubles when the map holds more than three quarters of its
// bucket count. Allocation failure never throws: SetAt answers a null position and the map
// is unchanged. Iteration order is the bucket order, not the insertion order.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

#include "core/SPosition.h"
#include "base/SwuiMem.h"
#include "base/TStringT.h"

namespace SWUI {

// Hash and equality of map keys: integers, enums and pointers by value; anything else
// through its own operator==, with a specialisation for the framework's strings.
template <class K>
struct SMapTraits {
  static UINT Hash(const K& key) {
    const uint64_t v = static_cast<uint64_t>(static_cast<uintptr_t>(key));
    return static_cast<UINT>((v * 0x9E3779B97F4A7C15ull) >> 32);
  }
  static bool Equal(const K& a, const K& b) { return a == b; }
};

template <class K>
struct SMapTraits<K*> {
  static UINT Hash(K* key) {
    const uint64_t v = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(key));
    return static_cast<UINT>((v * 0x9E3779B97F4A7C15ull) >> 32);
  }
  static bool Equal(K* a, K* b) { return a == b; }
};

template <class T>
struct SMapTraits<TStringT<T>> {
  // FNV-1a over the code units, case-sensitive.
  static UINT Hash(const TStringT<T>& key) {
    UINT h = 2166136261u;
    const T* p = key.c_str();
    for (int i = 0, n = key.GetLength(); i < n; ++i) {
      h ^= static_cast<UINT>(p[i]);
      h *= 16777619u;
    }
    return h;
  }
  static bool Equal(const TStringT<T>& a, const TStringT<T>& b) { return a == b; }
};

template <class K, class V, class KTraits = SMapTraits<K>>
class SCmnMap {
 public:
  class CPair {
   public:
    const K m_key;
    V m_value;

   private:
    friend class SCmnMap;
    template <class KK, class VV>
    CPair(KK&& key, VV&& value) : m_key(std::forward<KK>(key)), m_value(std::forward<VV>(value)) {}
  };

  explicit SCmnMap(UINT nBins = 17, UINT nBlockSize = 10)
      : m_nBins(nBins ? nBins : 17), m_nBlockSize(nBlockSize ? nBlockSize : 10) {}
  SCmnMap(const SCmnMap& src) : m_nBins(src.m_nBins), m_nBlockSize(src.m_nBlockSize) {
    CopyFrom(src);
  }
  SCmnMap& operator=(const SCmnMap& src) {
    if (this != &src) {
      RemoveAll();
      CopyFrom(src);
    }
    return *this;
  }
  ~SCmnMap() { RemoveAll(); }

  size_t GetCount() const { return m_count; }
  bool IsEmpty() const { return m_count == 0; }

  bool Lookup(const K& key, V& value) const {
    const CPair* pair = Lookup(key);
    if (!pair) return false;
    value = pair->m_value;
    return true;
  }
  CPair* Lookup(const K& key) {
    Node* node = FindNode(key, KTraits::Hash(key));
    return node ? &node->pair : nullptr;
  }
  const CPair* Lookup(const K& key) const {
    const Node* node = FindNode(key, KTraits::Hash(key));
    return node ? &node->pair : nullptr;
  }

  // Sets the value of key, adding the key when absent. Null when a new node cannot be had.
  SPOSITION SetAt(const K& key, const V& value) {
    const UINT hash = KTraits::Hash(key);
    if (Node* node = FindNode(key, hash)) {
      node->pair.m_value = value;
      return ToPos(node);
    }
    return ToPos(NewNode(hash, key, value));
  }
  bool RemoveKey(const K& key) {
    const UINT hash = KTraits::Hash(key);
    if (!m_bins) return false;
    Node** link = &m_bins[hash % m_nBins];
    for (; *link; link = &(*link)->next) {
      if ((*link)->hash == hash && KTraits::Equal((*link)->pair.m_key, key)) {
        Node* node = *link;
        *link = node->next;
        FreeNode(node);
        return true;
      }
    }
    return false;
  }
  void RemoveAtPos(SPOSITION pos) {
    Node* node = ToNode(pos);
    if (!node) return;
    Node** link = &m_bins[node->hash % m_nBins];
    while (*link != node) link = &(*link)->next;
    *link = node->next;
    FreeNode(node);
  }
  void RemoveAll() {
    if (m_bins) {
      for (UINT i = 0; i < m_nBins; ++i)
        for (Node* node = m_bins[i]; node; node = node->next) node->pair.~CPair();
      SwuiFree(m_bins);
      m_bins = nullptr;
    }
    FreeBlockChain(m_blocks);
    m_blocks = nullptr;
    m_free = nullptr;
    m_count = 0;
  }

  // Iteration: pos = GetStartPosition(); while (pos) { CPair* p = GetNext(pos); ... }
  SPOSITION GetStartPosition() const { return ToPos(FirstFrom(0)); }
  CPair* GetNext(SPOSITION& pos) {
    Node* node = ToNode(pos);
    pos = ToPos(Successor(node));
    return &node->pair;
  }
  const CPair* GetNext(SPOSITION& pos) const {
    Node* node = ToNode(pos);
    pos = ToPos(Successor(node));
    return &node->pair;
  }
  void GetNextAssoc(SPOSITION& pos, K& key, V& value) const {
    const CPair* pair = GetNext(pos);
    key = pair->m_key;
    value = pair->m_value;
  }
  CPair* GetAt(SPOSITION pos) { return &ToNode(pos)->pair; }
  const CPair* GetAt(SPOSITION pos) const { return &ToNode(pos)->pair; }
  const K& GetKeyAt(SPOSITION pos) const { return ToNode(pos)->pair.m_key; }
  V& GetValueAt(SPOSITION pos) { return ToNode(pos)->pair.m_value; }
  const V& GetValueAt(SPOSITION pos) const { return ToNode(pos)->pair.m_value; }

  UINT GetHashTableSize() const { return m_nBins; }

 private:
  struct Node {
    template <class KK, class VV>
    Node(UINT h, KK&& key, VV&& value) : pair(std::forward<KK>(key), std::forward<VV>(value)), hash(h) {}
    CPair pair;
    UINT hash;
    Node* next = nullptr;
  };
  // The first word of every pool block links the chain; nodes follow, suitably aligned.
  struct alignas(alignof(Node)) BlockHeader {
    void* next;
  };

  static SPOSITION ToPos(Node* node) { return reinterpret_cast<SPOSITION>(node); }
  static Node* ToNode(SPOSITION pos) { return reinterpret_cast<Node*>(pos); }

  Node* FindNode(const K& key, UINT hash) const {
    if (!m_bins) return nullptr;
    for (Node* node = m_bins[hash % m_nBins]; node; node = node->next)
      if (node->hash == hash && KTraits::Equal(node->pair.m_key, key)) return node;
    return nullptr;
  }
  Node* FirstFrom(UINT bin) const {
    if (!m_bins) return nullptr;
    for (; bin < m_nBins; ++bin)
      if (m_bins[bin]) return m_bins[bin];
    return nullptr;
  }
  Node* Successor(Node* node) const {
    return node->next ? node->next : FirstFrom(node->hash % m_nBins + 1);
  }

  // Raw memory for one node from the free list or a new pool block.
  void* TakeNodeMemory() {
    if (!m_free) {
      UINT bytes = 0;
      if (FAILED(MultiplyNoOverflow(&bytes, m_nBlockSize, sizeof(Node))) ||
          bytes > 0xFFFFFFFFu - sizeof(BlockHeader))
        return nullptr;
      auto* block = static_cast<BlockHeader*>(SwuiMalloc(sizeof(BlockHeader) + bytes));
      if (!block) return nullptr;
      block->next = m_blocks;
      m_blocks = block;
      // Thread the new nodes onto the free list through their next field.
      auto* nodes = reinterpret_cast<Node*>(block + 1);
      for (UINT i = 0; i < m_nBlockSize; ++i) {
        Node** link = reinterpret_cast<Node**>(&nodes[i]);
        *link = m_free;
        m_free = &nodes[i];
      }
    }
    Node* mem = m_free;
    m_free = *reinterpret_cast<Node**>(mem);
    return mem;
  }

  template <class KK, class VV>
  Node* NewNode(UINT hash, KK&& key, VV&& value) {
    if (!m_bins && !InitBins(m_nBins)) return nullptr;
    void* mem = TakeNodeMemory();
    if (!mem) return nullptr;
    Node* node = new (mem) Node(hash, std::forward<KK>(key), std::forward<VV>(value));
    Node*& head = m_bins[hash % m_nBins];
    node->next = head;
    head = node;
    ++m_count;
    if (m_count > m_nBins / 4 * 3 + 1) Rehash(m_nBins * 2 + 1);
    return node;
  }

  void FreeNode(Node* node) {
    node->~Node();
    *reinterpret_cast<Node**>(node) = m_free;
    m_free = node;
    --m_count;
  }

  bool InitBins(UINT bins) {
    m_bins = static_cast<Node**>(SwuiCalloc(bins, sizeof(Node*)));
    return m_bins != nullptr;
  }

  // Moves every node into a larger table; when the table cannot be had the old one stays.
  void Rehash(UINT bins) {
    if (bins <= m_nBins || bins > 0x3FFFFFFFu) return;
    auto* fresh = static_cast<Node**>(SwuiCalloc(bins, sizeof(Node*)));
    if (!fresh) return;
    for (UINT i = 0; i < m_nBins; ++i) {
      Node* node = m_bins[i];
      while (node) {
        Node* next = node->next;
        Node*& head = fresh[node->hash % bins];
        node->next = head;
        head = node;
        node = next;
      }
    }
    SwuiFree(m_bins);
    m_bins = fresh;
    m_nBins = bins;
  }

  void CopyFrom(const SCmnMap& src) {
    for (SPOSITION pos = src.GetStartPosition(); pos;) {
      const CPair* pair = src.GetNext(pos);
      SetAt(pair->m_key, pair->m_value);
    }
  }

  Node** m_bins = nullptr;
  UINT m_nBins;
  UINT m_nBlockSize;
  size_t m_count = 0;
  void* m_blocks = nullptr;
  Node* m_free = nullptr;
};

}  // namespace SWUI
