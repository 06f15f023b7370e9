// The ActiveX test control: a tiny in-process server, axtestctl.dll, built with the tests. A
// windowless control that fills its bounds with one colour and records every call it gets
// (and the site calls it makes while it activates) in one process-wide record that the test
// reads through the DLL's exports. One variant per class id:
//   kClsidAxWindowless  the plain windowless control (ProgID kAxTestProgId);
//   kClsidAxSiteFirst   asks for its client site first (OLEMISC_SETCLIENTSITEFIRST), and its
//                       InitNew fails;
//   kClsidAxInvisible   invisible at run time (OLEMISC_INVISIBLEATRUNTIME);
//   kClsidAxWindowed    has no windowless in-place object;
//   kClsidAxStandIn     the movie player's stand-in: its automation interface (the player's
//                       IID, and IDispatch) records the string properties put.
// Record entries read like "InitNew", "SetClientSite(site)", "SetObjectRects(0,0,200,100)",
// "SetExtent(5292,2646)", "OnWindowMessage(0x201,0x1,15,20)", "Put WMode=transparent".
// The test registers the classes it creates (AxTestRegistration.h) or hands a class object
// (AxTestClassObject) to CoRegisterClassObject itself.
#pragma once
#include <ole2.h>
#include <windows.h>

inline const CLSID kClsidAxWindowless = {
    0xC682435B, 0x9F9D, 0x4D8A, {0x8E, 0x15, 0x62, 0x0F, 0x96, 0x9C, 0xD2, 0xA4}};
inline const CLSID kClsidAxSiteFirst = {
    0x4AE80F6B, 0x1D45, 0x4FE4, {0xBF, 0x99, 0x22, 0x8B, 0xB8, 0xDE, 0x71, 0x32}};
inline const CLSID kClsidAxInvisible = {
    0x163A157A, 0xF291, 0x4BBA, {0xB4, 0x46, 0x11, 0x54, 0x42, 0x7C, 0x5A, 0x9F}};
inline const CLSID kClsidAxWindowed = {
    0xBBEB62BD, 0x4732, 0x4F50, {0x9B, 0xA9, 0x55, 0xE7, 0x09, 0xFF, 0xB9, 0x62}};
inline const CLSID kClsidAxStandIn = {
    0xFEC763EE, 0x2440, 0x4C90, {0xB2, 0x7F, 0x97, 0xE9, 0xAF, 0x81, 0xBF, 0x66}};
inline const wchar_t kAxTestProgId[] = L"TevaroTest.AxControl";
inline const wchar_t kAxTestDll[] = L"axtestctl.dll";
// The colour a new control fills with until the test says otherwise.
constexpr COLORREF kAxDefaultColour = RGB(0x20, 0x60, 0xA0);

extern "C" {
// The class object of a variant, as DllGetClassObject gives it to COM (whose own export of
// that name a test program links from ole32).
HRESULT AxTestClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
// Clears the record and sets the fill colour back to kAxDefaultColour.
void AxTestReset();
int AxTestRecordCount();
// An entry of the record; null past the end. Valid until the record changes.
const wchar_t* AxTestRecordEntry(int index);
// Adds the test's own entry, to place host-side steps among the control's calls.
void AxTestNote(const wchar_t* text);
// Controls alive now.
int AxTestLiveControls();
// The colour every control fills with from now on.
void AxTestSetColour(COLORREF colour);
// Runs fn(context) once, right after the record next gets that entry: the test's way to act
// in the middle of a call the host makes (destroy the element while the control activates).
// AxTestReset drops a hook that has not run.
void AxTestOnEntry(const wchar_t* entry, void (*fn)(void*), void* context);
}
