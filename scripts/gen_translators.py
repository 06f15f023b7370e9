#!/usr/bin/env python3
"""Writes the language files resources/translator/cn.xml and en.xml from the table below.

Every text is kept in the context with the empty name, which serves every layout, menu and
message. Run by hand after adding a text (python3 scripts/gen_translators.py); it lists the
visible texts of the layouts and menus that the table lacks, and fails while any is missing.
The outputs are committed; the build never runs this script.
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

CN_GUID = "{6B1D24F8-3F5E-4C6A-9E47-0C2D8B7A5F11}"
EN_GUID = "{0E8E9C1A-5B77-4D2E-A2C3-7F4B1D6E9A20}"

# English text -> (Chinese, English as shown). An English of None shows the text itself.
TEXTS = {
    # main window
    "Tevaro": ("Tevaro 音效处理器", None),
    "Connect": ("连接", None),
    "Disconnect": ("断开", None),
    "Connected": ("已连接", None),
    "Disconnected": ("未连接", None),
    "SPDIF": ("光纤", None),
    "Menu": ("菜单", None),
    "Minimize": ("最小化", None),
    "Maximize": ("最大化", None),
    "Restore": ("还原", None),
    "Close": ("关闭", None),
    "Music": ("音乐", None),
    "MIC": ("话筒", None),
    "Effect": ("效果", None),
    "Main output": ("主输出", None),
    "Center": ("中置", None),
    "SUB output": ("超低音输出", None),
    "SUR output": ("环绕输出", None),
    "Device Mode": ("设备模式", None),
    "PC Mode": ("电脑模式", None),
    "Manual": ("手动", None),
    "Auto": ("自动", None),
    "Sing": ("唱歌", None),
    "Disco": ("迪高", None),
    "Import": ("导入", None),
    "Export": ("导出", None),
    "Import an effect file": ("导入效果文件", None),
    "Export the effect to a file": ("把效果导出到文件", None),
    "EQ PASS": ("EQ 直通", None),
    "EQ BYPASS": ("EQ 旁路", None),
    "EQ Reset": ("EQ 复位", None),
    "Channel": ("声道", None),
    "Left": ("左", None),
    "Right": ("右", None),
    "Both": ("左右", None),
    "MIC A": ("话筒 A", None),
    "MIC B": ("话筒 B", None),
    "Echo": ("回声", None),
    "Reverb": ("混响", None),
    "[HPF]": ("[高通]", None),
    "[LPF]": ("[低通]", None),
    "EQ": ("均衡", None),
    "Param": ("参数", None),
    # channel pages
    "Bypass": ("直通", None),
    "Peak": ("峰值", None),
    "Low Shelf": ("低架", None),
    "High Shelf": ("高架", None),
    "Filter": ("滤波器", None),
    "HPF Type": ("高通类型", None),
    "HPF Range": ("高通倍率", None),
    "HPF Freq": ("高通频率", None),
    "HPF Q": ("高通 Q 值", None),
    "LPF Type": ("低通类型", None),
    "LPF Range": ("低通倍率", None),
    "LPF Freq": ("低通频率", None),
    "LPF Q": ("低通 Q 值", None),
    "Bessel 24dB": ("贝塞尔 24dB", None),
    "Butterworth 24dB": ("巴特沃斯 24dB", None),
    "Linkwitz 24dB": ("林克维茨 24dB", None),
    "Custom Q 12dB": ("自定义 Q 12dB", None),
    "Custom Q 24dB": ("自定义 Q 24dB", None),
    "x1": ("x1", None),
    "x10": ("x10", None),
    "x100": ("x100", None),
    "Dynamics": ("动态", None),
    "Threshold": ("门限", None),
    "Attack": ("启动时间", None),
    "Release": ("释放时间", None),
    "Ratio": ("压缩比", None),
    "Pitch": ("变调", None),
    "Music Pitch": ("音乐变调音量", None),
    "Music Key": ("音乐变调", None),
    "MIC Pitch": ("话筒变调音量", None),
    "MIC Key": ("话筒变调", None),
    "Music Input": ("音乐输入", None),
    "Input 1": ("输入 1", None),
    "Input 2": ("输入 2", None),
    "Input 3": ("输入 3", None),
    "Input 4": ("输入 4", None),
    "Input Gain": ("输入增益", None),
    "Compressor": ("压缩器", None),
    "MIC A Volume": ("话筒 A 音量", None),
    "MIC B Volume": ("话筒 B 音量", None),
    "Feedback": ("反馈抑制", None),
    "Anti-feedback": ("防啸叫模式", None),
    "Off": ("关", None),
    "Mode 1": ("模式 1", None),
    "Mode 2": ("模式 2", None),
    "Mode 3": ("模式 3", None),
    "Expander": ("扩展器", None),
    "Filter Range": ("滤波器倍率", None),
    "Echo Level": ("回声电平", None),
    "Echo Direct": ("回声直达声", None),
    "Echo HPF": ("回声高通", None),
    "Echo LPF": ("回声低通", None),
    "Pre Delay": ("预延时", None),
    "Delay": ("延时", None),
    "Repeat": ("重复", None),
    "Pre Delay R": ("右预延时", None),
    "Delay R": ("右延时", None),
    "Delay L": ("左延时", None),
    "Tap 1 Time": ("抽头 1 时间", None),
    "Tap 2 Time": ("抽头 2 时间", None),
    "Tap 3 Time": ("抽头 3 时间", None),
    "Tap 1 Level": ("抽头 1 电平", None),
    "Tap 2 Level": ("抽头 2 电平", None),
    "Tap 3 Level": ("抽头 3 电平", None),
    "Tap 1": ("抽头 1", None),
    "Tap 2": ("抽头 2", None),
    "Tap 3": ("抽头 3", None),
    "Reverb Level": ("混响电平", None),
    "Reverb Direct": ("混响直达声", None),
    "Reverb LPF": ("混响低通", None),
    "Reverb HPF": ("混响高通", None),
    "Reverb Time": ("混响时间", None),
    "Band Width": ("带宽", None),
    "Early Reflection": ("早期反射", None),
    "Room Size": ("房间大小", None),
    "Diffusion": ("扩散", None),
    "Timbre 1": ("音色 1", None),
    "Timbre 2": ("音色 2", None),
    "Timbre 3": ("音色 3", None),
    "Timbre 4": ("音色 4", None),
    "Timbre 5": ("音色 5", None),
    "Timbre 6": ("音色 6", None),
    "Mix": ("混音", None),
    "Mute": ("静音", None),
    "Mute L": ("左静音", None),
    "Mute R": ("右静音", None),
    "OFF": ("关", None),
    # dialogs
    "Mode": ("模式", None),
    "Name": ("名称", None),
    "Mode name": ("模式名称", None),
    "Recall": ("调用", None),
    "Save": ("保存", None),
    "Delete": ("删除", None),
    "Administrator password": ("管理员密码", None),
    "Password": ("密码", None),
    "OK": ("确定", None),
    "Cancel": ("取消", None),
    "Abort": ("中止", None),
    "Retry": ("重试", None),
    "Ignore": ("忽略", None),
    "Yes": ("是", None),
    "No": ("否", None),
    "prompt": ("提示", "Prompt"),
    "Error": ("错误", None),
    "Change Password": ("修改密码", None),
    "Old password": ("旧密码", None),
    "New password": ("新密码", None),
    "Confirm password": ("确认密码", None),
    "Volume Limit": ("音量限制", None),
    "Music Start": ("音乐开机音量", None),
    "Music Limit": ("音乐最大音量", None),
    "MIC Start": ("话筒开机音量", None),
    "MIC Limit": ("话筒最大音量", None),
    "Effect Start": ("效果开机音量", None),
    "Effect Limit": ("效果最大音量", None),
    "NetWork Setting": ("网络设置", None),
    "WIFI AP": ("WIFI 热点", None),
    "WIFI STA": ("WIFI 连接", None),
    "WiFi Name": ("WiFi 名称", None),
    "Setting Password": ("设置密码", None),
    "Loading Wifi data...": ("正在读取 WiFi 数据...", None),
    "Setting Wifi info...": ("正在设置 WiFi 信息...", None),
    "Connecting-": ("已连接：", None),
    "Not Connecting": ("未连接", None),
    "Connect Wifi": ("连接 WiFi", None),
    "Set IP": ("设置 IP", None),
    "(Open is Manual,close is Auto)": ("（打开为手动，关闭为自动）", None),
    "Description": ("说明", None),
    "IP": ("IP", None),
    "Port": ("端口", None),
    "Set IP open: the processor uses the address and port typed below (manual). Set IP closed: the processor gets "
    "its address from the network (auto).":
        ("打开“设置 IP”：处理器使用下面输入的地址和端口（手动）。关闭“设置 IP”：处理器从网络自动获取地址（自动）。",
         # The window breaks lines by character: English says where its lines end.
         "Set IP open: the processor uses the address\\nand port typed below (manual).\\n"
         "Set IP closed: the processor gets its address\\nfrom the network (auto)."),
    "Logo Image": ("标志图片", None),
    "Setting image by cilck": ("点击设置图片", "Click to set the image"),
    "Add local iamge file": ("添加本地图片文件", "Add a local image file"),
    "The file is not an image that can be used (ICO, PNG, JPEG or BMP)":
        ("该文件不是可用的图片（ICO、PNG、JPEG 或 BMP）", None),
    "The image list is full": ("图片列表已满", None),
    "Set Successed": ("设置成功", "Set successfully"),
    "Set Failed": ("设置失败", None),
    "Input": ("输入", None),
    "About": ("关于", None),
    "Karaoke effect processor control": ("卡拉OK效果处理器控制程序", None),
    "Version 1.0": ("版本 1.0", None),
    "Progress": ("进度", None),
    # menus
    "Language": ("语言", None),
    "English": ("English", None),
    "Enable Key Lock": ("启用按键锁", None),
    "User Mode": ("用户模式", None),
    "User": ("用户", None),
    "Administrators": ("管理员", None),
    "Skin": ("皮肤", None),
    "Default": ("默认", None),
    "Black": ("黑色", None),
    "Grey": ("灰色", None),
    "Pink": ("粉色", None),
    "Red": ("红色", None),
    "Golden": ("金色", None),
    "Change Key Password": ("修改按键密码", None),
    "Change Admin Password": ("修改管理员密码", None),
    "Show": ("显示", None),
    "Run on startup": ("开机启动", None),
    "Exit": ("退出", None),
    "cut": ("剪切", "Cut"),
    "copy": ("复制", "Copy"),
    "paste": ("粘贴", "Paste"),
    "delete": ("删除", "Delete"),
    "select all": ("全选", "Select all"),
    # messages of the program
    "Device not connected": ("设备未连接", None),
    "Set key lock status failed": ("设置按键锁状态失败", None),
    "Key locked": ("按键已锁定", None),
    "Key unlock": ("按键已解锁", None),
    "Set user mode failed": ("设置用户模式失败", None),
    "Failed to export effect to file": ("导出效果文件失败", None),
    "Failed to import effect from file": ("导入效果文件失败", None),
    "Failed to send effect to device": ("发送效果到设备失败", None),
    "The settings file was damaged. The settings that could be read are kept; the damaged file was saved as %s.": (
        "设置文件已损坏。能读出的设置已保留，损坏的文件已另存为 %s。", None),
    "The settings file %s cannot be read. Settings will not be saved until it is repaired or removed.": (
        "无法读取设置文件 %s。在修复或删除该文件之前，设置将不会被保存。", None),
    "The settings cannot be saved to %s.": ("无法把设置保存到 %s。", None),
    "ORV effect file": ("ORV 效果文件", None),
    "Can not open file": ("无法打开文件", None),
    "Recall device mode successfully": ("调用模式成功", None),
    "Name cannot be empty": ("名称不能为空", None),
    "Name already exists,whether to replace?": ("名称已存在，是否替换？", None),
    "Save pc mode successfully": ("保存电脑模式成功", None),
    "Are you sure to delete seleted item?": ("确定删除所选项吗？", "Are you sure to delete the selected item?"),
    "Delete failed, may delete file without permission": ("删除失败，可能没有删除文件的权限", None),
    "Recall device mode failed": ("调用设备模式失败", None),
    "No PC mode saved yet": ("尚未保存任何电脑模式", None),
    "Choose a PC mode first": ("请先选择一个电脑模式", None),
    "Insufficient permission, please switch to administrator mode": ("权限不足，请切换到管理员模式", None),
    "Name contains illegal charactors": ("名称包含非法字符", "Name contains illegal characters"),
    "Do you want to replace the selected device mode?": ("是否替换所选设备模式？", None),
    "Save failed": ("保存失败", None),
    "Save device mode successfully": ("保存设备模式成功", None),
    "Please enter old password": ("请输入旧密码", None),
    "Please enter new password": ("请输入新密码", None),
    "Password of 6 numbers": ("6位数字密码", None),
    "Password of %d numbers": ("%d位数字密码", None),
    "Enter new password again": ("再次输入新密码", None),
    "Password is incorrect": ("密码错误", None),
    "Failed to get device infomation, please try again later": ("获取设备信息失败，请稍后再试",
                                                                 "Failed to get device information, please try again later"),
    "Invalid parameter": ("参数无效", None),
    "Confirm password do not match": ("两次输入的密码不一致", "The passwords do not match"),
    "Please enter only numeric characters": ("请只输入数字", None),
    "Password has been updated": ("密码已更新", None),
    "Old password is incorrect": ("旧密码错误", None),
    "Password change failed, please try again later": ("修改密码失败，请稍后再试", None),
    "Please input Wifi name": ("请输入 WiFi 名称", None),
    "Please input Wifi password": ("请输入 WiFi 密码", None),
    "Password contains illegal charactors": ("密码包含非法字符", "Password contains illegal characters"),
    "Please input ip addrress": ("请输入 IP 地址", "Please input the IP address"),
    "Please input target port": ("请输入目标端口", None),
}

# Attributes that hold visible text; element text is visible too (menus, labels, buttons).
TEXT_ATTRS = ("text", "title", "tip", "text1", "text2", "tip1", "tip2", "cueText")


def named_strings():
    tree = ET.parse(os.path.join(ROOT, "values", "string.xml"))
    return {e.tag: e.get("value", "") for e in tree.getroot()}


def visible_texts(path, strings):
    """The visible texts of one layout or menu file (those with a Latin letter)."""
    found = set()
    for elem in ET.parse(path).getroot().iter():
        values = [elem.get(a) for a in TEXT_ATTRS]
        if elem.text and elem.text.strip():
            values.append(elem.text.strip())
        for v in values:
            if not v:
                continue
            if v.startswith("@string/"):
                v = strings.get(v[len("@string/"):], "")
            if re.search(r"[A-Za-z]", v):
                found.add(v)
    return found


def write_language(path, name, guid, pick):
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             "<!-- Generated by scripts/gen_translators.py: edit the table there, then run it. -->",
             '<language name="%s" guid="%s">' % (name, guid), '  <context name="">']
    for source in sorted(TEXTS):
        lines.append("    <message>")
        lines.append("      <source>%s</source>" % escape(source))
        lines.append("      <translation>%s</translation>" % escape(pick(source)))
        lines.append("    </message>")
    lines += ["  </context>", "</language>"]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def escape(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def main():
    strings = named_strings()
    missing = set()
    for sub in ("layout", "menu"):
        for f in sorted(os.listdir(os.path.join(ROOT, sub))):
            missing |= visible_texts(os.path.join(ROOT, sub, f), strings) - set(TEXTS)
    for m in sorted(missing):
        print("no translation for: %r" % m)
    os.makedirs(os.path.join(ROOT, "translator"), exist_ok=True)
    write_language(os.path.join(ROOT, "translator", "cn.xml"), "cn", CN_GUID, lambda s: TEXTS[s][0])
    write_language(os.path.join(ROOT, "translator", "en.xml"), "en", EN_GUID, lambda s: TEXTS[s][1] or s)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
