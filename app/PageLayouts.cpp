#include "PageLayouts.h"

#include <cwchar>

#include "base/SString.h"
#include "base/SXmlMark.h"
#include "core/SApplication.h"
#include "control/STabCtrl.h"
#include "control/STabPage.h"
#include "core/SWindow.h"
#include "res.mgr/SXmlNoCase.h"

using SWUI::SStringW;
using SWUI::SXmlNoCase;

namespace {

// The first element below node (node itself included) whose "name" is name.
pugi::xml_node FindNamed(pugi::xml_node node, const wchar_t* name) {
  if (node.type() == pugi::node_element &&
      std::wcscmp(SXmlNoCase::Attribute(node, L"name").value(), name) == 0) {
    return node;
  }
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (pugi::xml_node found = FindNamed(child, name)) return found;
  }
  return pugi::xml_node();
}

// The first element below node with that tag and id.
pugi::xml_node FindById(pugi::xml_node node, const wchar_t* tag, int id) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    if (SXmlNoCase::NameEquals(child.name(), tag) &&
        SXmlNoCase::Attribute(child, L"id").as_int(-1) == id) {
      return child;
    }
    if (pugi::xml_node found = FindById(child, tag, id)) return found;
  }
  return pugi::xml_node();
}

// The placeholder a page keeps in place of its contents; its user data is the number of the
// kept contents.
const wchar_t kPlaceholderName[] = L"keptPageLayout";

// Removes the page's placeholder; answers the number it carried, -1 without one.
int RemovePlaceholder(SWUI::SWindow* page) {
  for (SWUI::SWindow* child = page->GetWindow(SWUI::GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(SWUI::GSW_NEXTSIBLING)) {
    if (std::wcscmp(child->GetName(), kPlaceholderName) != 0) continue;
    const int kept = static_cast<int>(child->GetUserData());
    page->DestroyChild(child);
    return kept;
  }
  return -1;
}

}  // namespace

PageLayouts::~PageLayouts() {
  for (auto& doc : pages_) {
    if (doc != nullptr) SWUI::SXmlMark::ClearMarks(*doc);
  }
}

bool PageLayouts::Detach(pugi::xml_node layout, const wchar_t* tabName) {
  for (auto& doc : pages_) {
    if (doc != nullptr) SWUI::SXmlMark::ClearMarks(*doc);
  }
  pages_.clear();
  expanded_.clear();
  bound_ = false;
  pugi::xml_node tab = FindNamed(layout, tabName);
  if (!tab) return false;
  for (pugi::xml_node page = tab.first_child(); page; page = page.next_sibling()) {
    // The tab control makes a page of each "page" element not marked as consumed, in order.
    if (page.type() != pugi::node_element || std::wcscmp(page.name(), L"page") != 0 ||
        SWUI::SXmlMark::IsMarked(page)) {
      continue;
    }
    auto kept = std::make_unique<pugi::xml_document>();
    pugi::xml_node holder = kept->append_child(L"page");
    // Only the elements: the page's own text stays with it.
    for (pugi::xml_node child = page.first_child(); child;) {
      pugi::xml_node next = child.next_sibling();
      if (child.type() == pugi::node_element) {
        holder.append_copy(child);
        page.remove_child(child);
      }
      child = next;
    }
    pugi::xml_node placeholder = page.append_child(L"window");
    placeholder.append_attribute(L"name") = kPlaceholderName;
    placeholder.append_attribute(L"data") = static_cast<int>(pages_.size());
    placeholder.append_attribute(L"visible") = 0;
    pages_.push_back(holder.first_child() ? std::move(kept) : nullptr);
    expanded_.push_back(false);
  }
  return true;
}

void PageLayouts::Bind(SWUI::STabCtrl* tab) {
  if (tab == nullptr || bound_) return;
  bound_ = true;
  std::vector<std::unique_ptr<pugi::xml_document>> pages;
  std::vector<bool> expanded;
  for (int t = 0; t < tab->GetItemCount(); ++t) {
    SWUI::STabPage* page = tab->GetItem(t);
    const int kept = page != nullptr ? RemovePlaceholder(page) : -1;
    const bool known = kept >= 0 && kept < static_cast<int>(pages_.size());
    pages.push_back(known ? std::move(pages_[kept]) : nullptr);
    expanded.push_back(known && expanded_[kept]);
  }
  // What is left belonged to pages the tab control did not make.
  for (auto& doc : pages_) {
    if (doc != nullptr) SWUI::SXmlMark::ClearMarks(*doc);
  }
  pages_ = std::move(pages);
  expanded_ = std::move(expanded);
}

bool PageLayouts::IsKept(int page) const {
  return page >= 0 && page < static_cast<int>(pages_.size()) && pages_[page] != nullptr;
}

bool PageLayouts::Build(int page, SWUI::SWindow* pageElement) {
  if (!IsKept(page) || pageElement == nullptr) return false;
  std::unique_ptr<pugi::xml_document> doc = std::move(pages_[page]);
  RemovePlaceholder(pageElement);  // not bound: numbered in layout order
  // As the element's creation from the layout ends: the children, then a relayout.
  const BOOL created = pageElement->CreateChildren(doc->first_child());
  pageElement->RequestRelayout(pageElement, TRUE);
  SWUI::SXmlMark::ClearMarks(*doc);
  return created != FALSE;
}

bool PageLayouts::KeptCombo(int page, int id, Combo* combo) {
  if (!IsKept(page)) return false;
  if (!expanded_[page]) {
    ExpandIncludes(pages_[page]->first_child());
    expanded_[page] = true;
  }
  pugi::xml_node node = FindById(pages_[page]->first_child(), L"combobox", id);
  if (!node) return false;
  combo->count = 0;
  for (pugi::xml_node item : SXmlNoCase::Child(node, L"items").children()) {
    if (item.type() == pugi::node_element && SXmlNoCase::NameEquals(item.name(), L"item")) {
      ++combo->count;
    }
  }
  const int selection = SXmlNoCase::Attribute(node, L"curSel").as_int(-1);
  combo->selection = selection >= 0 && selection < combo->count ? selection : -1;
  return true;
}

void PageLayouts::ExpandIncludes(pugi::xml_node node) {
  SWUI::SApplication* app = SWUI::SApplication::getSingletonPtr();
  for (pugi::xml_node child = node.first_child(); child;) {
    pugi::xml_node next = child.next_sibling();
    if (child.type() != pugi::node_element) {
      child = next;
      continue;
    }
    if (!SXmlNoCase::NameEquals(child.name(), L"include")) {
      ExpandIncludes(child);
      child = next;
      continue;
    }
    // What the include names takes its place; one that does not load adds nothing, as in the
    // element tree.
    SStringW type;
    SStringW name;
    SWUI::SplitResRef(SStringW(SXmlNoCase::Attribute(child, L"src").value()), SStringW(L"LAYOUT"),
                      &type, &name);
    pugi::xml_document included;
    pugi::xml_node first;
    if (app != nullptr && app->LoadXmlDocument(included, name, type)) {
      for (pugi::xml_node part : SXmlNoCase::Child(included, L"include").children()) {
        pugi::xml_node copy = node.insert_copy_before(part, child);
        if (!first) first = copy;
      }
    }
    node.remove_child(child);
    // The parts go through this loop too: an include among them is expanded in turn.
    child = first ? first : next;
  }
}
