// The framework's tree container CSTree: items with a payload, addressed by handles, each
// with a parent and ordered children. Nodes come from SwuiMalloc; allocation failure never
// throws: InsertItem answers a null handle and the tree is unchanged. Deleting an item frees
// its nodes only: a payload that owns memory is freed by whoever put it there.
#pragma once
#include <windows.h>

#include <new>
#include <utility>

#include "base/SwuiMem.h"

namespace SWUI {

typedef ULONG_PTR HSTREEITEM;

// Pseudo handles: the invisible root, and the first and last place among siblings.
const HSTREEITEM STVI_ROOT = static_cast<HSTREEITEM>(0xFFFF0000);
const HSTREEITEM STVI_FIRST = static_cast<HSTREEITEM>(0xFFFF0001);
const HSTREEITEM STVI_LAST = static_cast<HSTREEITEM>(0xFFFF0002);

// Orders two sibling items: negative when hItem1 goes first, positive when hItem2 does, 0 when
// either may (they then keep their order).
typedef int (*STreeCompareFunc)(void* pCtx, HSTREEITEM hItem1, HSTREEITEM hItem2);

template <class T>
class CSTree {
 public:
  CSTree() = default;
  CSTree(const CSTree&) = delete;
  CSTree& operator=(const CSTree&) = delete;
  ~CSTree() { DeleteAllItems(); }

  // Inserts data as a child of hParent (STVI_ROOT for a top-level item), after the sibling
  // hInsertAfter (STVI_FIRST, STVI_LAST or a child of hParent). Null on failure or when
  // hInsertAfter is not a child of hParent.
  HSTREEITEM InsertItem(const T& data, HSTREEITEM hParent = STVI_ROOT,
                        HSTREEITEM hInsertAfter = STVI_LAST) {
    Node* parent = hParent == STVI_ROOT ? nullptr : ToNode(hParent);
    Node* after = nullptr;
    if (hInsertAfter == STVI_LAST) {
      after = parent ? parent->lastChild : m_lastRoot;
    } else if (hInsertAfter != STVI_FIRST) {
      after = ToNode(hInsertAfter);
      if (!after || after->parent != parent) return 0;
    }
    void* mem = SwuiMalloc(sizeof(Node));
    if (!mem) return 0;
    Node* node = new (mem) Node(data);
    node->parent = parent;
    node->prev = after;
    node->next = after ? after->next : (parent ? parent->firstChild : m_firstRoot);
    Node*& firstSlot = parent ? parent->firstChild : m_firstRoot;
    Node*& lastSlot = parent ? parent->lastChild : m_lastRoot;
    (node->prev ? node->prev->next : firstSlot) = node;
    (node->next ? node->next->prev : lastSlot) = node;
    ++m_count;
    return ToHandle(node);
  }

  // Sorts the children of hItem (STVI_ROOT: the top-level items) and of every item below it
  // by compare, which must not change the tree. Siblings that compare equal keep their order.
  // No allocation and no recursion over the depth. FALSE for a null or pseudo handle other
  // than STVI_ROOT.
  BOOL SortChildren(HSTREEITEM hItem, STreeCompareFunc compare, void* pCtx) {
    Node* top = ToNode(hItem);
    if (top == nullptr && hItem != STVI_ROOT) return FALSE;
    SortSiblings(top ? top->firstChild : m_firstRoot, top ? top->lastChild : m_lastRoot,
                 compare, pCtx);
    for (Node* node = top ? top->firstChild : m_firstRoot; node; node = NextBelow(node, top)) {
      SortSiblings(node->firstChild, node->lastChild, compare, pCtx);
    }
    return TRUE;
  }

  // Deletes the item and its whole subtree.
  void DeleteItem(HSTREEITEM hItem) {
    Node* node = ToNode(hItem);
    if (!node) return;
    Node*& firstSlot = node->parent ? node->parent->firstChild : m_firstRoot;
    Node*& lastSlot = node->parent ? node->parent->lastChild : m_lastRoot;
    (node->prev ? node->prev->next : firstSlot) = node->next;
    (node->next ? node->next->prev : lastSlot) = node->prev;
    FreeSubtree(node);
  }
  void DeleteAllItems() {
    Node* node = m_firstRoot;
    while (node) {
      Node* next = node->next;
      FreeSubtree(node);
      node = next;
    }
    m_firstRoot = m_lastRoot = nullptr;
  }

  size_t GetCount() const { return m_count; }
  T& GetItem(HSTREEITEM hItem) { return ToNode(hItem)->data; }
  const T& GetItem(HSTREEITEM hItem) const { return ToNode(hItem)->data; }
  // The payload of a real item; null for null and pseudo handles.
  T* GetItemPt(HSTREEITEM hItem) {
    return hItem && !IsPseudo(hItem) ? &ToNode(hItem)->data : nullptr;
  }
  const T* GetItemPt(HSTREEITEM hItem) const {
    return hItem && !IsPseudo(hItem) ? &ToNode(hItem)->data : nullptr;
  }

  // The first (or last) top-level item.
  HSTREEITEM GetRootItem(BOOL bFirst = TRUE) const {
    return ToHandle(bFirst ? m_firstRoot : m_lastRoot);
  }
  // The item's first (or last) child; STVI_ROOT asks for the top-level items.
  HSTREEITEM GetChildItem(HSTREEITEM hItem, BOOL bFirst = TRUE) const {
    if (hItem == STVI_ROOT) return GetRootItem(bFirst);
    Node* node = ToNode(hItem);
    return node ? ToHandle(bFirst ? node->firstChild : node->lastChild) : 0;
  }
  HSTREEITEM GetParentItem(HSTREEITEM hItem) const {
    Node* node = ToNode(hItem);
    return node ? ToHandle(node->parent) : 0;
  }
  HSTREEITEM GetNextSiblingItem(HSTREEITEM hItem) const {
    Node* node = ToNode(hItem);
    return node ? ToHandle(node->next) : 0;
  }
  HSTREEITEM GetPrevSiblingItem(HSTREEITEM hItem) const {
    Node* node = ToNode(hItem);
    return node ? ToHandle(node->prev) : 0;
  }
  bool ItemHasChildren(HSTREEITEM hItem) const {
    Node* node = ToNode(hItem);
    return node && node->firstChild;
  }
  // The next item in depth-first pre-order (STVI_ROOT: the first item), or null at the end.
  HSTREEITEM GetNextItem(HSTREEITEM hItem) const {
    if (hItem == STVI_ROOT) return GetRootItem();
    Node* node = ToNode(hItem);
    if (!node) return 0;
    if (node->firstChild) return ToHandle(node->firstChild);
    while (node && !node->next) node = node->parent;
    return node ? ToHandle(node->next) : 0;
  }

 private:
  struct Node {
    explicit Node(const T& value) : data(value) {}
    T data;
    Node* parent = nullptr;
    Node* firstChild = nullptr;
    Node* lastChild = nullptr;
    Node* prev = nullptr;
    Node* next = nullptr;
  };

  static bool IsPseudo(HSTREEITEM h) { return h == STVI_ROOT || h == STVI_FIRST || h == STVI_LAST; }
  static Node* ToNode(HSTREEITEM h) {
    return IsPseudo(h) ? nullptr : reinterpret_cast<Node*>(h);
  }
  static HSTREEITEM ToHandle(Node* node) { return reinterpret_cast<HSTREEITEM>(node); }

  // The next node in pre-order among the descendants of top (null: the whole tree).
  static Node* NextBelow(Node* node, Node* top) {
    if (node->firstChild) return node->firstChild;
    for (; node != top; node = node->parent) {
      if (node->next) return node->next;
    }
    return nullptr;
  }

  // A stable merge sort of the sibling list from first, which is relinked in place.
  static void SortSiblings(Node*& first, Node*& last, STreeCompareFunc compare, void* pCtx) {
    first = MergeSort(first, compare, pCtx);
    Node* prev = nullptr;
    for (Node* node = first; node; node = node->next) {
      node->prev = prev;
      prev = node;
    }
    last = prev;
  }
  // Sorts a list linked by next only; the depth of the recursion is the logarithm of its
  // length.
  static Node* MergeSort(Node* head, STreeCompareFunc compare, void* pCtx) {
    if (!head || !head->next) return head;
    Node* slow = head;
    for (Node* fast = head->next; fast && fast->next; fast = fast->next->next) slow = slow->next;
    Node* second = slow->next;
    slow->next = nullptr;
    Node* a = MergeSort(head, compare, pCtx);
    Node* b = MergeSort(second, compare, pCtx);
    Node* merged = nullptr;
    Node** tail = &merged;
    while (a && b) {
      // The later list wins only when strictly first: equal items keep their order.
      Node*& from = compare(pCtx, ToHandle(b), ToHandle(a)) < 0 ? b : a;
      *tail = from;
      tail = &from->next;
      from = from->next;
    }
    *tail = a ? a : b;
    return merged;
  }

  // Frees node and its descendants without recursion (deep trees must not exhaust the stack).
  void FreeSubtree(Node* top) {
    Node* node = top;
    while (node) {
      if (node->firstChild) {
        node = node->firstChild;
        continue;
      }
      Node* parent = node->parent;
      const bool isTop = node == top;  // already unlinked from its parent by the caller
      if (!isTop) parent->firstChild = node->next;
      node->~Node();
      SwuiFree(node);
      --m_count;
      if (isTop) break;
      node = parent;
    }
  }

  Node* m_firstRoot = nullptr;
  Node* m_lastRoot = nullptr;
  size_t m_count = 0;
};

}  // namespace SWUI
