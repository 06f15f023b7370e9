// The channel pages built when they are first shown. The main layout's pages are created
// empty; a page's controls are made from its kept layout when the page is about to be shown
// (the start page during start-up), and then everything start-up does for a page is done for
// it: its controls looked up and bound, the colour scheme's tint, and its refresh from the
// image. Until then a refresh leaves the page alone, except for the controls whose change the
// refresh turns into writes (the music input port, the combo boxes): those keep what they would
// show, so the writes happen as they would with the page built.
#include "CUIEventHandler.h"
#include "ColorSchemes.h"
#include "HidDevice/CDeviceController.h"
#include "control/STabCtrl.h"
#include "control/STabPage.h"
#include "core/SWindow.h"

void CUIEventHandler::DeferPages(pugi::xml_node layout) {
  m_pageLayouts.Detach(layout, L"orv_tab");
}

void CUIEventHandler::BuildPage(int t) {
  if (t < 0 || t >= kPageCount || IsPageBuilt(t) || m_tab == nullptr) return;
  SWUI::STabPage* page = m_tab->GetItem(t);
  if (page == nullptr) return;
  m_buildingPage = true;
  m_pageLayouts.Build(t, page);
  m_buildingPage = false;
  // The page's own controls take over from what was kept for them.
  for (auto it = m_unbuiltCombos.begin(); it != m_unbuiltCombos.end();) {
    it = PageOfControl(it->first) == t ? m_unbuiltCombos.erase(it) : std::next(it);
  }
  if (t == CDeviceController::kMusic) m_unbuiltInputPort = -1;
  LookupPage(t);
  // During start-up the refresh and the colours that follow reach the page with the rest.
  if (m_starting) return;

  const int wasRefreshing = m_refreshing;
  m_refreshing = 1;
  RefreshPage(t);
  m_refreshing = wasRefreshing;
  ColorizeTree(page, m_colorScheme);
  // Built with the layouts' colours, the untinted look's.
  ColorSchemes::Recolor(page, 0, m_colorScheme);
}

void CUIEventHandler::BuildAllPages() {
  for (int t = 0; t < kPageCount; ++t) BuildPage(t);
}

void CUIEventHandler::RefreshPage(int t) {
  RefreshFixedSliders(t);
  if (t == CDeviceController::kMusic) RefreshInputPort();
  if (t == CDeviceController::kMic) RefreshFeedbackCombo();
  RefreshToggles(t);
  RefreshFilters(t);
  RefreshDynamics(t);
  m_pages[t].RefreshEqBands();
}
