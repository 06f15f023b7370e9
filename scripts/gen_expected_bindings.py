#!/usr/bin/env python3
"""Writes tests/resources/ExpectedBindings.h: every element the program looks up in its layouts,
by id or by name, with the class its lookup asks for.

The table is written from what the program's code looks up (the page logic, the dialogs, the
message box, the tip window), not from the layouts, so that a test can hold the layouts against
it. The output is committed; run this by hand after a change (python3 scripts/gen_expected_bindings.py).
"""
import os
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "resources", "ExpectedBindings.h")

BAND_COUNTS = [11, 20, 5, 7, 7, 7, 7]
PAGE_NAMES = ["tab_page_music", "tab_page_mic", "tab_page_effect", "tab_page_main", "tab_page_center",
              "tab_page_sub", "tab_page_sur"]
EQ_CONTAINERS = ["music_eq", "mic_eq", "effect_eq", "main_eq", "center_eq", "sub_eq", "sur_eq"]

rows = []  # (layout, id, name, class, buddy name, buddy id, buddy class, note)


def by_id(layout, i, cls, note="", name=None):
    rows.append((layout, i, name, cls, None, 0, None, note))


def by_name(layout, name, cls, note="", i=0):
    rows.append((layout, i, name, cls, None, 0, None, note))


def sliders(ids, note):
    for i in ids:
        by_id("XML_MAINWND", i, "zuslider", note)
        by_id("XML_MAINWND", i + 4000, "text", "value text of %d" % i)


def main_window():
    L = "XML_MAINWND"
    for name, cls in [("dev_connect_state", "check"), ("spdif_connect_state", "check"), ("containerWnd", "window"),
                      ("main_volume", "window"), ("main_scrollview", "scrollview"), ("eq_curve", "zueq"),
                      ("micparam_tab", "tabctrl"), ("musicWnd", "window"), ("micWnd", "window"),
                      ("effWnd", "window"), ("modeWnd", "window"), ("btn_close", "window"), ("btn_min", "window"),
                      ("btn_max", "window"), ("btn_restore", "window")]:
        by_name(L, name, cls)
    by_name(L, "orv_chromeTab", "chromeTabCtrl", i=997)
    by_name(L, "orv_tab_switch", "tabctrl", i=998)
    by_name(L, "orv_tab", "tabctrl", i=999)
    by_name(L, "btn_mainmenu", "window", "main menu", i=6000)
    for name in PAGE_NAMES:
        by_name(L, name, "page", "channel page")
    for name in EQ_CONTAINERS:
        by_name(L, name, "window", "EQ band container")
    by_id(L, 1000, "zucheckbtn", "connect toggle")
    for i in range(3):
        by_id(L, 2000 + i, "zuslider", "main volume")
        by_id(L, 4000 + i, "text", "main volume text")
    by_id(L, 4003, "edit", "tab rename edit")
    by_id(L, 4004, "text", "EQ BYPASS")
    by_id(L, 4005, "text", "band tip")
    for i in range(8):
        by_id(L, 21000 + i, "scrollview", "page scroll view")
    for k in range(30):
        by_id(L, 900 + k, "moveThumb", "EQ handle")
    # band controls of the seven pages
    for t, count in enumerate(BAND_COUNTS):
        for k in range(count):
            p = 100 * t + k
            by_id(L, 2100 + p, "zuslider", "band gain")
            rows.append((L, 3100 + p, None, "spinButton", "edit_spin", 7100 + p, "edit2", "band Q spin"))
            by_id(L, 4100 + p, "edit2", "band gain edit")
            by_id(L, 6100 + p, "edit2", "band frequency edit")
            for m in range(4):
                by_id(L, 11000 + 1000 * t + 10 * k + m, "radio", "band type")
    # fixed-row sliders with their value texts
    sliders([2130, 2131, 2132, 2140, 2141, 2240, 2241, 2242, 2320, 2360, 2361, 2362], "parameter slider")
    sliders(range(2330, 2357), "effect slider")
    sliders(range(2430, 2436), "main mix")
    sliders(range(2530, 2535), "center mix")
    sliders([2630, 2631, 2632, 2635, 2636], "sub mix")
    sliders(range(2730, 2736), "surround mix")
    # channel filters: HPF frequency, HPF Q, LPF frequency, LPF Q
    sliders([2120, 2125, 2126, 2127, 2225, 2227, 2226, 2228, 2425, 2427, 2426, 2428, 2525, 2527, 2526, 2528,
             2620, 2633, 2637, 2634, 2725, 2727, 2726, 2728], "channel filter")
    # dynamics
    for first in (2121, 2221, 2821, 2421, 2521, 2621, 2721):
        sliders(range(first, first + 4), "dynamics")
    # toggles
    for i in list(range(1300, 1304)) + list(range(1400, 1406)) + list(range(1500, 1505)) + \
            [1600, 1601, 1602, 1605, 1606] + list(range(1700, 1706)) + [1800]:
        by_id(L, i, "zucheckbtn", "toggle")
    for p in range(1, 8):
        by_id(L, 1000 + 100 * p + 50, "zucheckbtn", "EQ PASS")
    for i in (2370, 2371, 2372):
        by_id(L, i, "check", "echo tap")
    # combo boxes
    for i in [8200, 8110, 8111, 8112, 8113, 8210, 8211, 8212, 8213, 8400, 8401, 8410, 8411, 8500, 8501, 8510, 8511,
              8600, 8601, 8610, 8611, 8700, 8701, 8710, 8711, 8810, 8811]:
        by_id(L, i, "combobox", "combo box")
    # radio buttons
    for i in [19010, 19011, 19012, 19013, 14500, 14501, 14600, 14601, 11700, 11701, 11702, 12700, 12701, 12702,
              13700, 13701, 14700, 14701, 14702, 17700, 17701, 17702]:
        by_id(L, i, "zuradiobtn", "mode radio")
    # buttons
    for i in [9000, 9001, 9002, 9003] + [9000 + 100 * p for p in range(1, 8)]:
        by_id(L, i, "window", "button")


def dialogs():
    for L in ("XML_PCMODE", "XML_DEVICEMODE"):
        by_name(L, "txt_title", "text")
        by_name(L, "btn_close", "window")
        by_name(L, "devMode", "combobox")
        by_name(L, "txt_input", "edit")
        by_name(L, "btnRecall", "window")
    by_name("XML_PCMODE", "btnAdd", "window", i=1)
    by_name("XML_PCMODE", "btnDelete", "window")
    by_name("XML_DEVICEMODE", "btnSave", "window", i=1)
    L = "XML_LOGIN"
    for name, cls in [("txt_title", "text"), ("btn_close", "window"), ("txt_pwd", "edit"), ("txt_msg", "text"),
                      ("btnCancel", "window")]:
        by_name(L, name, cls)
    by_name(L, "btnOK", "window", i=1)
    L = "XML_CHANGEPWD"
    for name, cls in [("txt_title", "text"), ("btn_close", "window"), ("txt_pwd_origin", "edit"),
                      ("txt_pwd_new1", "edit"), ("txt_pwd_new2", "edit"), ("txt_msg", "text"), ("btnCancel", "window")]:
        by_name(L, name, cls)
    by_name(L, "btnOK", "window", i=1)
    L = "XML_VOLUMELIMIT"
    by_name(L, "txt_title", "text")
    by_name(L, "btn_close", "window", i=2)
    for i in range(6):
        by_id(L, 2010 + i, "zuslider", "volume slider")
        by_id(L, 4010 + i, "text", "volume text")
    by_name(L, "btnOK", "window", i=1)
    by_name(L, "btnCancel", "window")
    L = "XML_SETNETWORK"
    by_name(L, "btn_close", "window", i=2)
    by_id(L, 1000, "radio", "WIFI AP")
    by_id(L, 1001, "radio", "WIFI STA")
    by_id(L, 2000, "check", "Setting Password")
    by_id(L, 2001, "check", "Set IP")
    for name, cls in [("APWnd", "window"), ("txt_name_input", "edit"), ("setpasswordwnd", "window"),
                      ("txt_password_input", "edit"), ("LoadingWnd", "window"), ("txt_wait", "text"),
                      ("STAWnd", "window"), ("txt_connectstatu", "text"), ("txt_notconnectstatu", "text"),
                      ("connecting_name", "text"), ("btnDisconnect", "window"), ("btnConnect", "window"),
                      ("wifiname_list", "combobox"), ("txt_password2_input", "edit"),
                      ("stapasswordunableWnd", "window"), ("btn_explain", "window"), ("setaddressswnd", "window"),
                      ("ip_txt", "ipctrl"), ("txt_port_input", "edit")]:
        by_name(L, name, cls)
    by_name(L, "btnCancel", "window", i=2)
    by_name(L, "btnOK", "window", i=1)
    L = "XML_SETLOGO"
    by_name(L, "scrollview_image", "scrollview")
    by_name(L, "btn_close", "window")
    L = "XML_INPUTDLG"
    by_name(L, "txt_title", "text")
    by_name(L, "txt_input", "richedit")
    by_name(L, "btnOK", "window", i=1)
    by_name(L, "btnCancel", "window")
    by_name(L, "btn_close", "window")
    L = "XML_MSGBOX"
    by_name(L, "msgtitle", "text")
    by_name(L, "msgtext", "text")
    by_name(L, "msgicon", "icon")
    by_name(L, "btnSwitch", "tabctrl")
    by_name("XML_TOOLTIP", "txt_tip", "text")
    by_name("XML_PROGRESS", "progress_bar", "progress")
    by_name("XML_PROGRESS", "btn_close", "window")


def menus():
    """Items whose check marks the program sets, and the commands it runs, by id."""
    user = [5, 51, 52, 3, 4, 40, 41, 70, 71, 72, 73, 74, 75, 76, 80, 63]
    for i in user:
        by_id("SMENU:menu_main", i, "menuItem", "main menu item")
    for i in user + [16, 20, 1, 2]:
        by_id("SMENU:menu_main_admin", i, "menuItem", "administrator menu item")
    for i in (7, 8, 63, 10):
        by_id("SMENU:menu_tray", i, "menuItem", "tray menu item")


def cstr(s):
    return "nullptr" if s is None else 'L"%s"' % s


def main():
    main_window()
    dialogs()
    menus()
    lines = [
        "// Generated by scripts/gen_expected_bindings.py: edit the script, then run it.",
        "// Every element that the program looks up in its layouts, by id or by name, with the class its",
        "// lookup asks for (the element's class test must answer it). A row with both an id and a name is",
        "// found by its name and must carry that id. A row with a buddy names the element that must sit in",
        "// the same parent (the Q spin's \"edit_spin\"). Data only: later tests check the running program",
        "// against the same table.",
        "#pragma once",
        "",
        "struct ExpectedBinding {",
        "  const wchar_t* layout;     // layout name (its includes count as part of it), or type:name",
        "  int id;                    // 0 when the element is looked up by name alone",
        "  const wchar_t* name;       // nullptr when the element is looked up by id",
        "  const wchar_t* cls;        // class name the lookup asks for",
        "  const wchar_t* buddyName;  // sibling the element needs, or nullptr",
        "  int buddyId;",
        "  const wchar_t* buddyCls;",
        "};",
        "",
        "inline constexpr ExpectedBinding kExpectedBindings[] = {",
    ]
    for layout, i, name, cls, bname, bid, bcls, note in rows:
        comment = ("  // " + note) if note else ""
        lines.append("    {%s, %d, %s, %s, %s, %d, %s},%s" % (cstr(layout), i, cstr(name), cstr(cls), cstr(bname), bid,
                                                            cstr(bcls), comment))
    lines += ["};", ""]
    with open(OUT, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))
    print("%d bindings written" % len(rows))
    return 0


if __name__ == "__main__":
    sys.exit(main())
