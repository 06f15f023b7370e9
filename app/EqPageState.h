// The EQ bands of one channel page: the controls of every band (gain and frequency edits, gain
// slider, Q spin button and its edit, the four type radios), the page's EQ rows and the busy
// flag, set while the record itself moves values into its controls so that their change events
// write nothing back. Every element may be missing; each use skips a null one.
//
// Edits write the band's rows in the sets the channel's link mode selects (0 the first, 1 the
// second, 2 both, any other mode none): every set written first gets its band-select row queued
// (the band number with the set's own enable bit), then the band row is written, first set
// before second, so one report carries the selection ahead of the value.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace SWUI {
class SWindow;
class SSpinButtonCtrl;
class SRadioBox;
}  // namespace SWUI

class CDeviceController;
class ZuSlider;

class EqPageState {
 public:
  static constexpr int kMaxBands = 26;
  static constexpr int kTypeCount = 4;
  // The main window's device-notice wParam (WM_DEVICE_NOTIFY) that redraws the EQ editor.
  static constexpr WPARAM kNoticeEqChanged = 0x200;

  EqPageState() = default;
  EqPageState(const EqPageState&) = delete;
  EqPageState& operator=(const EqPageState&) = delete;

  // Stores the page's numbers, finds its EQ container by name anywhere below root and, inside
  // it, every band control by id (gain edit 4100+100t+k, frequency edit 6100+100t+k, gain
  // slider 2100+100t+k, Q spin 3100+100t+k with its "edit_spin", type radios
  // 11000+1000t+10k+m).
  void BindEqPage(SWUI::SWindow* root, CDeviceController* controller, int page, int firstRow,
                  int bandCount, int secondRow, const wchar_t* containerName);
  // Only the numbers, for a page whose controls are not built yet: what it reads and writes is
  // known, and every control is missing until BindEqPage.
  void SetPage(CDeviceController* controller, int page, int firstRow, int bandCount,
               int secondRow);
  // Shows the image in every band control (busy meanwhile).
  void RefreshEqBands();

  // ---- editing (k outside 0 .. count - 1 does nothing) ----------------------------------
  // The type row; then the Q spin's range (0 .. 100 for band pass, 0 .. 28 otherwise) and its
  // value, the Q of that type in the first set written (16 when none was), whose text event
  // writes the Q.
  void SetBandType(int k, int type);
  // The frequency edit shows the index's text; the frequency row is written.
  void SetBandFrequency(int k, int index);
  // The gain row is written; the gain edit shows its text; the gain slider takes the value and
  // the focus.
  void SetBandGain(int k, int raw);
  // A gain slider moved: SetBandGain, the curve update, the focus rule.
  void OnBandGainSlider(int sliderId, int raw);
  // A Q spin's value-to-text event: the text of the Q table entry at the position; unless busy
  // the band's Q is written (per set, the row of that set's type), the curve updated and the
  // focus rule applied.
  std::wstring OnBandQText(int spinId, int position);
  // Moves the Q spin to an index clamped to the range of the band's type (as read).
  void SetBandQSpinValue(int k, int index);
  // A band edit lost the focus (step 0) or its step edit asked for a step: the typed text is
  // read exactly; a text that is no number writes nothing and the band's text returns, and a
  // value the band holds already only tidies the text. Only `fromStep` applies the focus rule
  // afterwards: a commit on losing the focus leaves the focus where it went.
  void CommitBandEdit(SWUI::SWindow* edit, int editId, int step, bool fromStep);
  // The focus rule: Ctrl held, the frequency edit; Shift held, the Q edit; else the gain slider.
  void FocusBandControl(int k);
  // The band's curves are rebuilt from the image and the main window redraws the editor.
  void NotifyEqChanged(int k);
  // Whether an id of a band edit (gain 4p00 + k, frequency 6p00 + k, Q 7p00 + k, p = page + 1)
  // belongs to this page's bands.
  bool IsBandEditId(int editId) const;
  // The band edit of such an id, or null.
  SWUI::SWindow* BandEdit(int editId) const;
  // The band's type in the set read (anything above 3 as bypass).
  int GetBandType(int k) const;

  // The EQ set the page reads: the second for link mode 1, else the first.
  int ReadSetRow() const;
  // A band number k of this page, or -1 when outside 0 .. count - 1.
  bool IsBand(int k) const { return k >= 0 && k < m_bandCount; }
  int GetBandQIndex(int k) const;
  std::wstring GetBandGainText(int k) const;
  std::wstring GetBandFreqText(int k) const;
  std::wstring GetBandQText(int k) const;

  int Page() const { return m_page; }
  int BandCount() const { return m_bandCount; }
  int FirstRow() const { return m_firstRow; }
  int SecondRow() const { return m_secondRow; }
  bool IsBusy() const { return m_busy != 0; }
  void SetBusy(bool busy) { m_busy = busy ? 1 : 0; }

  SWUI::SWindow* GainEdit(int k) const { return IsBand(k) ? m_gainEdit[k] : nullptr; }
  SWUI::SWindow* FreqEdit(int k) const { return IsBand(k) ? m_freqEdit[k] : nullptr; }
  ZuSlider* GainSlider(int k) const { return IsBand(k) ? m_gainSlider[k] : nullptr; }
  SWUI::SSpinButtonCtrl* QSpin(int k) const { return IsBand(k) ? m_qSpin[k] : nullptr; }
  // The Q spin's buddy edit "edit_spin" in the spin's parent.
  SWUI::SWindow* QEdit(int k) const;
  SWUI::SRadioBox* TypeRadio(int k, int type) const;

 private:
  const uint8_t* Image() const;
  int LinkMode() const;
  // Writes field `field` of band k in the sets the link mode selects, select rows queued first;
  // with `qByType` each set takes the value in the Q row of its own type, within that type's
  // range. The first set written, or -1.
  int WriteBand(int k, int field, uint16_t value, bool qByType = false);
  void SetEditText(SWUI::SWindow* edit, const std::wstring& text);
  // The Q spin's range for the type (0 .. 100 band pass, 0 .. 28 otherwise), then its value.
  void SetQSpin(int k, int type, int index);

  SWUI::SWindow* m_gainEdit[kMaxBands] = {};
  SWUI::SWindow* m_freqEdit[kMaxBands] = {};
  ZuSlider* m_gainSlider[kMaxBands] = {};
  SWUI::SSpinButtonCtrl* m_qSpin[kMaxBands] = {};
  SWUI::SRadioBox* m_typeRadio[kMaxBands][kTypeCount] = {};
  int m_bandCount = 0;
  int m_page = 0;
  int m_firstRow = 0;
  int m_secondRow = -1;
  int m_busy = 0;
  // Set while a Q edit's commit moves the spin: the spin's write leaves the focus alone.
  bool m_committing = false;
  CDeviceController* m_controller = nullptr;
  SWUI::SWindow* m_root = nullptr;
};
