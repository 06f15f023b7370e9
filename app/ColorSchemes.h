// The main window's colour schemes beyond their tint: the tint of a scheme lights or colours
// every skin of the tree, so the text colours and the EQ curve that suit the untinted look are
// exchanged for ones of the scheme's own, readable (4.5:1 at least) on its tinted panels and
// buttons: the light and the dim grey of texts and labels, the accent of value texts and links,
// and the curve's colour.
//
//   ColorSchemes::Recolor(root, oldIndex, newIndex);   // after tinting the tree
#pragma once
#include <windows.h>

namespace SWUI {
class SWindow;
}

class ColorSchemes {
 public:
  // The colours a scheme gives its texts and the EQ curve (0xBBGGRR, as COLORREF).
  struct Palette {
    COLORREF text;    // the layouts' light grey of titles, buttons and fields
    COLORREF label;   // the layouts' dim grey of labels
    COLORREF accent;  // value texts, links, the selected band's area under the curve
    COLORREF curve;   // the EQ editor's total response
  };

  // The palette of a scheme index; an index without a scheme of its own (0 among them)
  // takes the untinted look's.
  static const Palette& Of(int index);
  // Every text of the tree in one of `from`'s colours takes the matching colour of `to`, in
  // every state; the EQ curves of the tree take `to`'s colours.
  static void Recolor(SWUI::SWindow* tree, int from, int to);

 private:
  static void RecolorElement(SWUI::SWindow* element, const Palette& from, const Palette& to);
};
