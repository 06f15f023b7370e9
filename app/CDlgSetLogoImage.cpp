#include "CDlgSetLogoImage.h"

#include <commdlg.h>

#include <cwchar>
#include <pugixml.hpp>

#include "AppSeams.h"
#include "CApplication.h"
#include "UserImageDecoder.h"
#include "controls/CTipWnd.h"
#include "control/SImageWnd.h"
#include "core/EventCmd.h"
#include "core/SApplication.h"
#include "core/SHostDialog.h"
#include "core/SWindow.h"
#include "layout/SGridLayout.h"

using SWUI::IBitmap;
using SWUI::SStringW;
using SWUI::SWindow;

namespace {

// The grid's items, as the layout's designer wrote them; %d is the item's id.
const wchar_t kImageXml[] =
    L"<img id=\"%d\" class=\"cls_border\" size=\"100,100\" tip=\"Setting image by cilck\" "
    L"msgTransparent=\"0\" />";
const wchar_t kAddButtonXml[] =
    L"<imgbtn id=\"%d\"  text=\"+\" size=\"100,100\" class=\"cls_border\" "
    L"font=\"size:40,bold:1\" tip=\"Add local iamge file\" focusable=\"0\"/>";
const wchar_t kFilter[] = L"图片文件(*.ico *.png *.jpg *.jpeg)\0*.ico;*.png;*.jpg;*.jpeg\0";

std::wstring ListFile() {
  CApplication* app = CApplication::Find();
  if (app == nullptr || app->DataFolder().IsEmpty()) return std::wstring();
  return std::wstring(app->DataFolder().c_str()) + L"\\" + LogoImageList::kFileName;
}

// The grid's column count (its layout's), at least 1.
int ColumnsOf(SWindow* grid) {
  SWUI::ILayout* layout = grid->GetLayout();
  if (layout == nullptr || !layout->IsClass(SWUI::SGridLayout::ClassName())) return 1;
  const int columns = static_cast<SWUI::SGridLayout*>(layout)->GetColumnCount();
  return columns > 0 ? columns : 1;
}

}  // namespace

void CDlgSetLogoImage::OnInit(SWUI::SHostDialog* dialog) {
  CCommonEventHandler::OnInit(dialog);
  m_grid = dialog != nullptr ? dialog->GetRoot()->FindChildByName2<SWindow>(L"scrollview_image")
                             : nullptr;
  m_list = LogoImageList(ListFile());
  m_list.EnsureFile();
  m_list.Load();
  m_bitmaps.clear();
  for (const LogoImageEntry& entry : m_list.Entries()) {
    SWUI::SAutoRefPtr<IBitmap> bitmap;
    bitmap.Attach(MakeCellBitmap(entry.path));
    m_bitmaps.push_back(bitmap);
  }
  RebuildGrid();
}

IBitmap* CDlgSetLogoImage::BitmapOf(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_bitmaps.size()) return nullptr;
  return m_bitmaps[static_cast<size_t>(index)];
}

bool CDlgSetLogoImage::_HandleEvent(SWUI::EventArgs* evt) {
  if (evt == nullptr || m_pDlg == nullptr || !IsOwnSender(evt)) return false;
  if (evt->GetID() != SWUI::EventCmd::EventID) return CCommonEventHandler::_HandleEvent(evt);
  // Only the grid's own items are taken by id: the dialog's other elements may use any id.
  auto* sender = static_cast<SWindow*>(evt->sender);
  if (m_grid != nullptr && sender != nullptr && sender->IsClass(SWindow::ClassName()) &&
      sender->GetParent() == m_grid) {
    const int index = evt->idFrom - kFirstImageId;
    if (index == m_list.Count()) {
      AddImage();
      return true;
    }
    if (index >= 0 && index < m_list.Count()) {
      SelectImage(index);
      return true;
    }
  }
  return CCommonEventHandler::_HandleEvent(evt);
}

void CDlgSetLogoImage::RebuildGrid() {
  if (m_grid == nullptr) return;
  while (SWindow* child = m_grid->GetWindow(SWUI::GSW_FIRSTCHILD)) m_grid->DestroyChild(child);
  const int count = m_list.Count();
  const int columns = ColumnsOf(m_grid);
  const int rows = (count + 1 + columns - 1) / columns;
  m_grid->SetAttribute(SStringW(L"rowCount"), SStringW(std::to_wstring(rows).c_str()), FALSE);

  std::wstring xml = L"<items>";
  wchar_t item[256];
  for (int i = 0; i < count; ++i) {
    swprintf(item, sizeof(item) / sizeof(item[0]), kImageXml, kFirstImageId + i);
    xml += item;
  }
  swprintf(item, sizeof(item) / sizeof(item[0]), kAddButtonXml, kFirstImageId + count);
  xml += item;
  xml += L"</items>";
  pugi::xml_document doc;
  if (!doc.load_string(xml.c_str())) return;
  m_grid->CreateChildren(doc.child(L"items"));
  for (int i = 0; i < count; ++i) {
    SWindow* cell = m_grid->FindChildByID(kFirstImageId + i, 1);
    IBitmap* bitmap = BitmapOf(i);
    if (cell != nullptr && bitmap != nullptr && cell->IsClass(SWUI::SImageWnd::ClassName())) {
      static_cast<SWUI::SImageWnd*>(cell)->SetImage(bitmap);
    }
  }
  MarkSelection();
}

void CDlgSetLogoImage::MarkSelection() {
  if (m_grid == nullptr) return;
  // The chosen image stands in a thick accent frame, the others in the grid's thin grey one.
  for (int i = 0; i < m_list.Count(); ++i) {
    SWindow* cell = m_grid->FindChildByID(kFirstImageId + i, 1);
    if (cell == nullptr) continue;
    const bool selected = i == m_list.Selection();
    cell->SetAttribute(SStringW(L"colorBorder"),
                       SStringW(selected ? L"@color/accent" : L"@color/border"), FALSE);
    cell->SetAttribute(SStringW(L"margin"), SStringW(selected ? L"3,3,3,3" : L"1,1,1,1"), FALSE);
    cell->Invalidate();
  }
}

IBitmap* CDlgSetLogoImage::MakeCellBitmap(const std::wstring& path) {
  UserImagePixels pixels;
  SWUI::SApplication* app = SWUI::SApplication::getSingletonPtr();
  SWUI::IRenderFactory* factory = app != nullptr ? app->GetRenderFactory() : nullptr;
  if (factory == nullptr || !UserImageDecoder::DecodeFile(path, &pixels)) return nullptr;
  SWUI::SAutoRefPtr<IBitmap> full;
  IBitmap* raw = nullptr;
  if (!factory->CreateBitmap(&raw) || raw == nullptr) return nullptr;
  full.Attach(raw);
  if (FAILED(full->Init(static_cast<int>(pixels.width), static_cast<int>(pixels.height),
                        pixels.bgra.data()))) {
    return nullptr;
  }
  // The cell stretches the image to its size anyway: a larger one is kept at that size only.
  if (pixels.width <= static_cast<UINT>(kCellSize) && pixels.height <= static_cast<UINT>(kCellSize)) {
    return full.Detach();
  }
  IBitmap* cell = nullptr;
  if (FAILED(full->Scale(&cell, kCellSize, kCellSize, SWUI::kHigh_FilterLevel))) return nullptr;
  return cell;
}

std::wstring CDlgSetLogoImage::AskForFile() const {
  wchar_t path[MAX_PATH] = {};
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = m_hDlg;
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrDefExt = L"png";
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_NOCHANGEDIR;
  if (!AppSeams::Current().OpenFileDialog(&dialog)) return std::wstring();
  path[MAX_PATH - 1] = L'\0';
  return path;
}

void CDlgSetLogoImage::AddImage() {
  if (m_list.Count() >= LogoImageList::kMaxCount) {
    AppSeams::Current().FrameworkMessageBox(m_hDlg, kFullText, L"", MB_OK);
    return;
  }
  const std::wstring path = AskForFile();
  if (path.empty()) return;
  SWUI::SAutoRefPtr<IBitmap> bitmap;
  bitmap.Attach(MakeCellBitmap(path));
  if (bitmap == nullptr || !m_list.Add(path)) {
    AppSeams::Current().FrameworkMessageBox(m_hDlg, kRefusedText, L"", MB_OK);
    return;
  }
  m_bitmaps.push_back(bitmap);
  const bool written = m_list.SaveLast();
  RebuildGrid();
  if (!written) Tip(L"Set Failed", kFirstImageId + m_list.Count());
}

void CDlgSetLogoImage::SelectImage(int index) {
  const bool selected = m_list.Select(index);
  MarkSelection();
  Tip(selected ? L"Set Successed" : L"Set Failed", kFirstImageId + index);
}

void CDlgSetLogoImage::Tip(const wchar_t* text, int id) const {
  CTipWnd::ShowTipAtWindow(SStringW(text), m_grid, id);
}
