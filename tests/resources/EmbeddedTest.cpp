// Every resource the program asks for is embedded under the type and name it asks with, and reads
// back as what it should be: well-formed XML with the expected root, PNG and GIF images, icons.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "EmbeddedResources.h"

namespace {

struct XmlResource {
  const wchar_t* type;
  const wchar_t* name;
  const wchar_t* root;
};

// Type and name as the program asks for them; letter case of both is the caller's.
const XmlResource kXmlResources[] = {
    {L"UIDEF", L"XML_INIT", L"uidef"},
    {L"values", L"string", L"string"},
    {L"values", L"color", L"color"},
    {L"values", L"skin", L"skin"},
    {L"translator", L"cn", L"language"},
    {L"translator", L"en", L"language"},
    {L"SMENU", L"menu_tray", L"menuRoot"},
    {L"SMENU", L"menu_main", L"menuRoot"},
    {L"SMENU", L"menu_main_admin", L"menuRoot"},
    {L"SMENU", L"XML_EDITMENU", L"editmenu"},
    {L"XML", L"SYS_XML_SKIN", L"skin"},
    {L"XML", L"SYS_XML_EDITMENU", L"editmenu"},
    {L"XML", L"SYS_XML_MSGBOX", L"SWUI"},
};

const wchar_t* const kImages[] = {
    L"image_dropbtn_png", L"image_btn_close_png", L"image_btn_minimize_png", L"image_btn_maximize_png",
    L"image_btn_restore_png", L"image_logo_png", L"image_shadow_png", L"image_edit_bk_png", L"image_tip_bg_png",
    L"image_tip2_bg_png", L"image_iconlist_png", L"image_btn_menu_png", L"image_null_png",
    L"image_bg_round_white_png", L"image_split_png", L"image_tab_bg_png", L"image_tab_bg2_png", L"image_scale_png",
    L"image_slider_bg_png", L"image_slider_thumb_png", L"image_slider2_bg_png", L"image_slider2_bg2_png",
    L"image_slider2_thumb_png", L"image_slider3_bg_png", L"image_slider3_bg2_png", L"image_slider3_thumb_png",
    L"image_radio_ls_png", L"image_radio_p_png", L"image_radio_hs_png", L"image_radio_by_png",
    L"image_radio_minusplus", L"image_check_button", L"image_offonstatus_png", L"image_main_center_png",
    L"image_main_center_black_png", L"image_main_mask_png", L"image_left_thumb_png", L"image_right_thumb_png",
    L"image_btn_switch_png", L"image_vscrollbar", L"image_hscrollbar"};

// Width and height from a PNG's header; 0 x 0 when the bytes are no PNG.
SIZE PngSize(const std::string& png) {
  static const char kSignature[] = "\x89PNG\r\n\x1a\n";
  if (png.size() < 24 || png.compare(0, 8, kSignature, 8) != 0 || png.compare(12, 4, "IHDR") != 0) return {0, 0};
  auto be32 = [&](size_t at) {
    return static_cast<LONG>(static_cast<unsigned char>(png[at]) << 24 | static_cast<unsigned char>(png[at + 1]) << 16 |
                             static_cast<unsigned char>(png[at + 2]) << 8 | static_cast<unsigned char>(png[at + 3]));
  };
  return {be32(16), be32(20)};
}

}  // namespace

TEST_CASE("every XML resource of the program is embedded and well-formed, with its root element") {
  for (const auto& r : kXmlResources) {
    INFO(Narrow(r.name));
    CHECK(std::wstring(Resources().Xml(r.type, r.name).document_element().name()) == r.root);
  }
  for (const auto& name : EmbeddedResources::LayoutNames()) {
    INFO(Narrow(name));
    const std::wstring root = Resources().Xml(L"LAYOUT", name.c_str()).document_element().name();
    CHECK(root == (name.rfind(L"INC_", 0) == 0 ? L"include" : L"SWUI"));
  }
}

TEST_CASE("the 41 images are PNGs, the animation a GIF, and the icons load at their sizes") {
  size_t total = 0;
  for (const wchar_t* name : kImages) {
    INFO(Narrow(name));
    const std::string png = Resources().Raw(L"IMG", name);
    const SIZE size = PngSize(png);
    CHECK(size.cx > 0);
    CHECK(size.cy > 0);
    total += png.size();
  }
  const std::string gif = Resources().Raw(L"GIF", L"gif_Loading");
  CHECK(gif.compare(0, 6, "GIF89a") == 0);
  total += gif.size();
  // The images are drawn small: all together stay far below a megabyte.
  CHECK(total < 256 * 1024);

  struct IconCase {
    const wchar_t* name;
    int size;
  };
  for (const IconCase c : {IconCase{L"ICON_LOGO", 16}, IconCase{L"ICON_LOGO", 32}, IconCase{L"ICON_LOGO_16", 16},
                           IconCase{L"ICON_LOGO_64", 64}}) {
    INFO(Narrow(c.name) << " " << c.size);
    HICON icon = Resources().Provider().LoadIcon(c.name, c.size, c.size);
    REQUIRE(icon != nullptr);
    ICONINFO info{};
    REQUIRE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof(bm), &bm);
    CHECK(bm.bmWidth == c.size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}
