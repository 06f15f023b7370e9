// The EQ bands of one channel page: the controls of every band (gain and frequency edits, gain
// slider, Q spin button and its edit, the four type radios), the page's EQ rows and the busy
// flag, set while the record itself moves values into its controls so that their change events
// write nothing back. Every element may be missing; each use skips a null one.
#pragma once
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

  EqPageState() = default;
  EqPageState(const EqPageState&) = delete;
  EqPageState& operator=(const EqPageState&) = delete;

  // Stores the page's numbers, finds its EQ container by name anywhere below root and, inside
  // it, every band control by id (gain edit 4100+100t+k, frequency edit 6100+100t+k, gain
  // slider 2100+100t+k, Q spin 3100+100t+k with its "edit_spin", type radios
  // 11000+1000t+10k+m).
  void BindEqPage(SWUI::SWindow* root, CDeviceController* controller, int page, int firstRow,
                  int bandCount, int secondRow, const wchar_t* containerName);
  // Shows the image in every band control (busy meanwhile).
  void RefreshEqBands();

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
  CDeviceController* m_controller = nullptr;
};
