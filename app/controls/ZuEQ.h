// The graphical parametric-EQ editor: a grid of logarithmic frequency against dB, the response
// curves of one EQ curve model and a draggable handle per band, per filter and for the selected
// band's bandwidth. Its children are one "zueqgrid", one "zueqcurve" and "moveThumb" handles
// told apart by their user data: 0..63 band handles, -1..-4 the high-pass, low-pass, second
// high-pass and second low-pass handles, -5 and -6 the left and right bandwidth guides (kept
// only as a pair); any other child is left alone.
//
// The editor does not own the model; the page logic attaches it (SetCurve), asks for the handles
// to follow it after each change (UpdateThumbs, Refresh) and turns handle drags into parameter
// changes, reading frequency and gain back through FreqAtX and GainAtY. UI thread only.
#pragma once
#include "Eq/EqCurve.h"
#include "controls/EqPlotGeometry.h"
#include "core/SWindow.h"

class SMoveThumb;

class ZuEQ : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"zueq")

 public:
  static constexpr int kMaxBandThumbs = 64;
  // Filter handles, by user data -1 - index.
  enum FilterThumb { kHighPass, kLowPass, kHighPass2, kLowPass2, kFilterThumbs };
  enum GuideThumb { kLeftGuide, kRightGuide, kGuideThumbs };

  // "ldist", "tdist", "rdist", "bdist", "dbMax", "dbMin", "nKedu", "dbKeduVal", "zeroXFreq".
  // Refused with E_FAIL, keeping the old value: nKedu or dbKeduVal not above 0, dbMax not above
  // dbMin, zeroXFreq outside 10..20 Hz (the frequency axis of the curves is held there).
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SWindow::SetAttribute;
  // The base's creation, then each child is told what it is to the editor.
  BOOL InitFromXml(pugi::xml_node xmlNode) override;

  // Attaches a model (a new one has its responses rebuilt on the shared axis), shows the handles
  // it has and places them; null detaches it and hides every handle.
  void SetCurve(EqCurveInfo* model);
  EqCurveInfo* GetCurve() const { return model_; }
  // Places every handle from the model; nothing without a model or over an empty plot.
  void UpdateThumbs();
  // From now on the bandwidth guides follow the selected band; shows them around it, or hides
  // them when no regular band is selected.
  void ShowBandGuide();
  // UpdateThumbs, then the curves are redrawn.
  void Refresh();

  // Frequency (Hz) and gain (dB) at a pixel column or row (host client coordinates), unclamped.
  double FreqAtX(int x) const { return geometry_.FreqAtX(x); }
  double GainAtY(int y) const { return geometry_.GainAtY(y); }
  const EqPlotGeometry& Geometry() const { return geometry_; }

  // The handles found among the children (null for none).
  SMoveThumb* GetBandThumb(int band) const;
  SMoveThumb* GetFilterThumb(int which) const;
  SMoveThumb* GetGuideThumb(int which) const;

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_SIZE(OnSize)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  void OnSize(UINT nType, SIZE size);
  void OnDestroy();

  void RecomputeGeometry();
  void ClassifyChildren();
  static SMoveThumb* ThumbOf(SWUI::SwndHandle swnd);
  SWUI::SWindow* CurveChild() const;
  // Shows both guides around band b, centred at (x, y) and spaced by its Q.
  void PlaceGuides(int band, int x, int y, double q);
  void HideGuides();
  void PlaceFilterThumbs();
  void HideAllThumbs();

  EqPlotGeometry geometry_;
  EqCurveInfo* model_ = nullptr;
  // Children by handle: an element destroyed by someone else resolves to nothing.
  SWUI::SwndHandle grid_ = 0;
  SWUI::SwndHandle curve_ = 0;
  SWUI::SwndHandle bandThumbs_[kMaxBandThumbs] = {};
  SWUI::SwndHandle filterThumbs_[kFilterThumbs] = {};
  SWUI::SwndHandle guideThumbs_[kGuideThumbs] = {};
  bool guideOn_ = false;
};
