// The logo image dialog's handler ("LAYOUT:XML_SETLOGO"): a grid of the image files of the
// list in ImageCfg.ini, one cell per image and an add button last. The add button asks for a
// file (the file dialog seam); clicking an image makes it the selection, kept in the file only
// (nothing goes to the device) and confirmed with a tip. "btn_close" cancels.
//
// Images never reach GDI+: the file the user picks and every path read from the list are
// decoded by UserImageDecoder. A picked file that does not decode is refused with a message
// and not listed; a listed one that does not decode keeps its place with an empty cell.
//
//   CCommonDlg<CDlgSetLogoImage> dlg(L"LAYOUT:XML_SETLOGO");
//   dlg.DoModal(owner);
#pragma once
#include <string>
#include <vector>

#include "CCommonEventHandler.h"
#include "IBitmap.h"
#include "LogoImageList.h"
#include "base/SAutoRefPtr.h"

namespace SWUI {
class SWindow;
}  // namespace SWUI

class CDlgSetLogoImage : public CCommonEventHandler {
 public:
  // Image i of the grid has the id kFirstImageId + i, the add button the next one.
  static constexpr int kFirstImageId = 1000;
  // The size of a cell (the size the grid's items are made with).
  static constexpr int kCellSize = 100;
  // What a refused file is answered with.
  static constexpr const wchar_t* kRefusedText =
      L"The file is not an image that can be used (ICO, PNG, JPEG or BMP)";
  static constexpr const wchar_t* kFullText = L"The image list is full";

  CDlgSetLogoImage() = default;

  bool _HandleEvent(SWUI::EventArgs* evt) override;
  // WM_INITDIALOG: the list read from the data folder's ImageCfg.ini (made when missing) and
  // the grid built.
  void OnInit(SWUI::SHostDialog* dialog);

  const LogoImageList& List() const { return m_list; }
  SWUI::SWindow* Grid() const { return m_grid; }
  // The bitmap shown for entry i (null when its file did not decode).
  SWUI::IBitmap* BitmapOf(int index) const;

 private:
  // The grid made again from the list: "rowCount" set, one image per entry and the add button.
  void RebuildGrid();
  // Frames the selected image so that the user sees which one is the logo.
  void MarkSelection();
  // Decodes the file into a bitmap no larger than a cell; null when refused.
  static SWUI::IBitmap* MakeCellBitmap(const std::wstring& path);
  void AddImage();
  void SelectImage(int index);
  // A tip above the element with that id.
  void Tip(const wchar_t* text, int id) const;
  std::wstring AskForFile() const;

  LogoImageList m_list{std::wstring()};
  // One per entry, null where the file did not decode.
  std::vector<SWUI::SAutoRefPtr<SWUI::IBitmap>> m_bitmaps;
  SWUI::SWindow* m_grid = nullptr;
};
