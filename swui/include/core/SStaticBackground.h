// A host's cached background: the parts of its elements whose pixels follow from their skins,
// text, style, state, rectangle and scale alone (plain windows, the root, static texts and
// images; IsStaticContent) drawn once, in tree order, into a surface of the root's size. A
// paint copies it in one blit and draws only the other elements over it.
//
// An element is held only under held parents and only when nothing drawn before it in tree
// order and not held overlaps it, so the order of what lies over what is kept. Its frame
// (drawn after its subtree) is held only when nothing of its subtree that is not held
// overlaps the element. The cache is drawn again when the container's tree stamp moved (an
// element moved, came, went or was raised; an element shown or hidden; a held element's text,
// state, attributes or image changed; a language, scale or colour change) or the root's
// rectangle changed, and, as a check on what no stamp tells, when a held element is gone or
// its state, skins, text or rectangle differ from what was drawn.
#pragma once
#include <vector>

#include "core/SWindow.h"

namespace SWUI {

class SStaticBackground {
 public:
  // The cache for the tree as it is, or null: when no surface can be made, or when the tree
  // changed since the last paint (the cache is drawn again at the next paint that finds the
  // tree unchanged). The tree must be numbered.
  IRenderTarget* Prepare(SWindow* root, UINT treeStamp);
  void Reset();

 private:
  // What a held element was drawn from.
  struct Entry {
    SwndHandle swnd;
    DWORD state;
    SAutoRefPtr<ISkinObj> bgSkin;
    SAutoRefPtr<ISkinObj> ncSkin;
    RECT rc;
    SStringW text;
  };

  bool IsCurrent(SWindow* root, UINT treeStamp) const;
  // Marks what the cache holds of the subtree; answers the subtree's bounds.
  RECT Classify(SWindow* wnd, bool underHeld, std::vector<RECT>& drawnOver);
  bool Draw(SWindow* root);
  static Entry EntryOf(SWindow* wnd);

  SAutoRefPtr<IRenderTarget> m_surface;
  RECT m_rcRoot = {0, 0, 0, 0};
  UINT m_treeStamp = 0;
  bool m_valid = false;
  // The tree as the last paint without a current cache found it.
  bool m_seen = false;
  UINT m_seenStamp = 0;
  RECT m_rcSeen = {0, 0, 0, 0};
  std::vector<Entry> m_entries;
};

}  // namespace SWUI
