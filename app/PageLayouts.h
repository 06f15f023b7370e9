// The channel pages' contents, kept out of the main window's element tree until each page is
// first shown. The main layout's channel tab control keeps its pages (empty, with their names
// and titles); what each page holds stays here as XML and is created under the page element
// when the page logic asks for it, exactly as the layout would have created it at start-up.
// A page not built yet still answers what its combo boxes list, so that a refresh can treat
// their selections as the built page would.
#pragma once
#include <memory>
#include <pugixml.hpp>
#include <vector>

namespace SWUI {
class SWindow;
class STabCtrl;
}

class PageLayouts {
 public:
  PageLayouts() = default;
  ~PageLayouts();
  PageLayouts(const PageLayouts&) = delete;
  PageLayouts& operator=(const PageLayouts&) = delete;

  // Takes the children of every "page" of the element named tabName out of a layout (its
  // "SWUI" element) and keeps them, page by page as the tab control counts its pages (a marked
  // node is none). Each page is left a hidden placeholder child that Bind reads. False when
  // the layout has no element of that name.
  bool Detach(pugi::xml_node layout, const wchar_t* tabName);
  // Once the tab control made its pages from the layout: numbers the kept contents by the
  // tab's own pages, so that a page whose creation failed shifts none after it, and removes
  // the placeholders. Until then pages are numbered in layout order. Done once per Detach.
  void Bind(SWUI::STabCtrl* tab);
  // Whether a page's contents are kept, still to be built.
  bool IsKept(int page) const;
  // Creates the kept contents of a page under its element (includes loaded as the layout
  // would), then forgets them. False when nothing was kept for it or the element refused
  // its children.
  bool Build(int page, SWUI::SWindow* pageElement);
  // A combo box of a kept page as its layout makes it: how many items it lists and which it
  // selects (-1 for none).
  struct Combo {
    int count = 0;
    int selection = -1;
  };
  // False when the kept page has no combo box of that id.
  bool KeptCombo(int page, int id, Combo* combo);

 private:
  // Replaces every "include" below node with the layout it names.
  static void ExpandIncludes(pugi::xml_node node);

  std::vector<std::unique_ptr<pugi::xml_document>> pages_;
  std::vector<bool> expanded_;
  bool bound_ = false;
};
