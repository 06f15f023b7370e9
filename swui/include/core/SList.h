// The framework's doubly linked list. Elements are addressed by opaque positions, which stay
// valid until their own element is removed. Nodes come from SwuiMalloc; allocation failure
// never throws: adding reports a null position and the list is unchanged.
#pragma once
#include <cstddef>
#include <new>
#include <utility>

#include "core/SPosition.h"
#include "base/SwuiMem.h"

namespace SWUI {

template <class T>
class SList {
 public:
  SList() = default;
  SList(const SList& src) { AddTailList(src); }
  SList(SList&& src) noexcept : m_head(src.m_head), m_tail(src.m_tail), m_count(src.m_count) {
    src.m_head = src.m_tail = nullptr;
    src.m_count = 0;
  }
  ~SList() { RemoveAll(); }
  SList& operator=(const SList& src) {
    if (this != &src) {
      RemoveAll();
      AddTailList(src);
    }
    return *this;
  }
  SList& operator=(SList&& src) noexcept {
    if (this != &src) {
      RemoveAll();
      m_head = src.m_head;
      m_tail = src.m_tail;
      m_count = src.m_count;
      src.m_head = src.m_tail = nullptr;
      src.m_count = 0;
    }
    return *this;
  }

  size_t GetCount() const { return m_count; }
  bool IsEmpty() const { return m_count == 0; }

  // The list must not be empty.
  T& GetHead() { return m_head->data; }
  const T& GetHead() const { return m_head->data; }
  T& GetTail() { return m_tail->data; }
  const T& GetTail() const { return m_tail->data; }

  SPOSITION GetHeadPosition() const { return ToPos(m_head); }
  SPOSITION GetTailPosition() const { return ToPos(m_tail); }
  // The element at pos; pos moves to the next (or previous) position, null past the end.
  T& GetNext(SPOSITION& pos) {
    Node* node = ToNode(pos);
    pos = ToPos(node->next);
    return node->data;
  }
  const T& GetNext(SPOSITION& pos) const {
    Node* node = ToNode(pos);
    pos = ToPos(node->next);
    return node->data;
  }
  T& GetPrev(SPOSITION& pos) {
    Node* node = ToNode(pos);
    pos = ToPos(node->prev);
    return node->data;
  }
  const T& GetPrev(SPOSITION& pos) const {
    Node* node = ToNode(pos);
    pos = ToPos(node->prev);
    return node->data;
  }
  T& GetAt(SPOSITION pos) { return ToNode(pos)->data; }
  const T& GetAt(SPOSITION pos) const { return ToNode(pos)->data; }
  void SetAt(SPOSITION pos, const T& element) { ToNode(pos)->data = element; }

  SPOSITION AddHead(const T& element) { return Link(NewNode(element), nullptr, m_head); }
  SPOSITION AddHead(T&& element) { return Link(NewNode(std::move(element)), nullptr, m_head); }
  SPOSITION AddTail(const T& element) { return Link(NewNode(element), m_tail, nullptr); }
  SPOSITION AddTail(T&& element) { return Link(NewNode(std::move(element)), m_tail, nullptr); }
  // Appends copies of src's elements (src may be this list).
  void AddTailList(const SList& src) {
    const size_t count = src.m_count;
    Node* node = src.m_head;
    for (size_t i = 0; i < count; ++i, node = node->next) AddTail(node->data);
  }
  // A null pos inserts at the head (before) or the tail (after).
  SPOSITION InsertBefore(SPOSITION pos, const T& element) {
    Node* at = ToNode(pos);
    if (!at) return AddHead(element);
    return Link(NewNode(element), at->prev, at);
  }
  SPOSITION InsertAfter(SPOSITION pos, const T& element) {
    Node* at = ToNode(pos);
    if (!at) return AddTail(element);
    return Link(NewNode(element), at, at->next);
  }

  // The list must not be empty.
  T RemoveHead() {
    T value(std::move(m_head->data));
    RemoveAt(ToPos(m_head));
    return value;
  }
  T RemoveTail() {
    T value(std::move(m_tail->data));
    RemoveAt(ToPos(m_tail));
    return value;
  }
  void RemoveAt(SPOSITION pos) {
    Node* node = ToNode(pos);
    if (!node) return;
    (node->prev ? node->prev->next : m_head) = node->next;
    (node->next ? node->next->prev : m_tail) = node->prev;
    node->~Node();
    SwuiFree(node);
    --m_count;
  }
  void RemoveAll() {
    Node* node = m_head;
    while (node) {
      Node* next = node->next;
      node->~Node();
      SwuiFree(node);
      node = next;
    }
    m_head = m_tail = nullptr;
    m_count = 0;
  }

  // Position of the first element equal to value after startAfter (null: from the head).
  SPOSITION Find(const T& value, SPOSITION startAfter = nullptr) const {
    Node* node = startAfter ? ToNode(startAfter)->next : m_head;
    for (; node; node = node->next)
      if (node->data == value) return ToPos(node);
    return nullptr;
  }
  // Position of the index-th element, or null.
  SPOSITION FindIndex(size_t index) const {
    if (index >= m_count) return nullptr;
    Node* node = m_head;
    while (index--) node = node->next;
    return ToPos(node);
  }

 private:
  struct Node {
    template <class U>
    explicit Node(U&& value) : data(std::forward<U>(value)) {}
    T data;
    Node* prev = nullptr;
    Node* next = nullptr;
  };

  static SPOSITION ToPos(Node* node) { return reinterpret_cast<SPOSITION>(node); }
  static Node* ToNode(SPOSITION pos) { return reinterpret_cast<Node*>(pos); }

  template <class U>
  static Node* NewNode(U&& value) {
    void* mem = SwuiMalloc(sizeof(Node));
    return mem ? new (mem) Node(std::forward<U>(value)) : nullptr;
  }

  SPOSITION Link(Node* node, Node* prev, Node* next) {
    if (!node) return nullptr;
    node->prev = prev;
    node->next = next;
    (prev ? prev->next : m_head) = node;
    (next ? next->prev : m_tail) = node;
    ++m_count;
    return ToPos(node);
  }

  Node* m_head = nullptr;
  Node* m_tail = nullptr;
  size_t m_count = 0;
};

}  // namespace SWUI
