// The speaker position view: a car seen from above on a millimetre grid, a listener handle and
// up to 31 speaker handles (ZuCarThumb children: id 0 the listener, id k speaker k - 1). For
// each shown speaker it computes the distance to the listener and the delay that aligns it with
// the farthest one, at 346 m/s, and shows them in the handles' tooltips and in the texts
// "ch1_tip".."ch31_tip" beside the handles.
//
// Positions come from the handles: after every size change each handle's centre is read back
// into millimetres; a drag moves one handle, clamped into the drawing area. During a drag the
// grid ("zucargrid") and curve ("zucarcurve") children show, with the position in the text
// "car_pos_tip"; three seconds after the release (timer 1) they hide again.
//
// UI thread only. The children are kept by handle, so a child destroyed by someone else
// resolves to nothing.
#pragma once
#include <windows.h>

#include "controls/CarPlotGeometry.h"
#include "core/SWindow.h"

class ZuCarThumb;

class ZuCar : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"zucar")

 public:
  static constexpr int kMaxSpeakers = 31;
  static constexpr int kTipTexts = 32;            // "ch1_tip".."ch32_tip"
  static constexpr double kSoundMmPerMs = 346.0;  // 346 m/s
  static constexpr char kHideTimer = 1;
  static constexpr UINT kHideDelayMs = 3000;
  static constexpr int kTipGap = 5;  // pixels between a handle and its text

  struct Speaker {
    POINT mm = {0, 0};
    POINT px = {0, 0};
    double distPx = 0.0;       // to the listener
    POINT virtualPx = {0, 0};  // on the ray from the listener through it, at the farthest distance
    double delayMm = 0.0;
  };

  ZuCar();

  // "ldist", "tdist", "rdist", "bdist", "xStart", "yStart", "mmPerPx", "mmPerScale",
  // "carWidth", "zhouJu" (integers). "mmPerPx" not above 0 is refused with E_FAIL.
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SWindow::SetAttribute;
  // The base's creation, then the children are found and linked.
  BOOL InitFromXml(pugi::xml_node xmlNode) override;

  // Clamped to 0..31 and to the speaker handles found (ids 1..n without a gap); shows the
  // handles and texts of the speakers below the count (the listener with at least one) and
  // recomputes the delays.
  void SetSpeakerCount(int count);
  int GetSpeakerCount() const { return count_; }
  // How many speaker handles (ids 1..n without a gap) were found.
  int GetSpeakerHandles() const { return speakerHandles_; }

  // A handle's drag to a new centre (host client coordinates): the point is clamped into the
  // drawing area and stored as the listener's (id 0) or a speaker's position; the position
  // tip shows, the delays are recomputed, the grid and curve show and EventCarDelayChanged is
  // fired. Returns the clamped point, where the handle then centres itself.
  POINT ApplyThumbMove(int thumbId, POINT center);
  // The drag ended: the position tip hides, and the grid and curve hide after 3 s (timer 1).
  void EndThumbMove();

  const CarPlotGeometry& Geometry() const { return geometry_; }
  POINT GetListenerMm() const { return listenerMm_; }
  POINT GetListenerPx() const { return listenerPx_; }
  // Null for an index outside 0..30.
  const Speaker* GetSpeaker(int index) const;
  double GetDelayMs(int index) const;
  // The square around the listener out to the farthest shown speaker (pixels).
  RECT GetSoundSpace() const { return soundSpace_; }
  RECT GetCarBody() const { return carBody_; }
  RECT GetCarExtent() const { return carExtent_; }

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_SIZE(OnSize)
  MSG_WM_TIMER_EX(OnTimer)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  void OnSize(UINT nType, SIZE size);
  void OnTimer(char id);
  void OnDestroy();

  void FindChildren();
  ZuCarThumb* Thumb(int thumbId) const;  // 0 the listener, k speaker k - 1
  SWUI::SWindow* Child(SWUI::SwndHandle swnd) const;
  // Reads every handle's centre back (a missing handle keeps its millimetres), then
  // recomputes the car, the delays and the texts.
  void Recompute();
  // The pixel stored for a handle's id (null for an id of no handle).
  const POINT* StoredPx(int thumbId) const;
  // Stores a dragged handle's new place and shows what follows from it: the position tip, the
  // delays, the texts and the plot.
  void ApplyNewPosition(int thumbId, POINT px, POINT mm);
  void ComputeDelays();
  // Every shown speaker's tooltip and text get their strings; the texts of kPlaceAll, or only
  // the one beside the handle of that id, are placed as well (no other handle moved).
  static constexpr int kPlaceAll = -1;
  void UpdateTexts(int placeThumb);
  void UpdateVisibility();
  void ShowPlot(BOOL show);
  // Places a text by its "pos" at a point of host client coordinates.
  static void PlaceText(SWUI::SWindow* text, POINT at);
  // Where the handle stands when centred on px (an empty rectangle there without one).
  static RECT ThumbRectAt(const ZuCarThumb* thumb, POINT px);

  CarPlotGeometry geometry_;
  POINT listenerMm_ = {0, 0};
  POINT listenerPx_ = {0, 0};
  Speaker speakers_[kMaxSpeakers];
  int count_ = 0;
  int speakerHandles_ = 0;
  RECT soundSpace_ = {0, 0, 0, 0};
  RECT carBody_ = {0, 0, 0, 0};
  RECT carExtent_ = {0, 0, 0, 0};

  // The handle the current drag moves (-1 none): a step of it that lands on the pixel it
  // already stands on changes nothing.
  int dragThumb_ = -1;

  SWUI::SwndHandle thumbs_[kMaxSpeakers + 1] = {};
  SWUI::SwndHandle grid_ = 0;
  SWUI::SwndHandle curve_ = 0;
  SWUI::SwndHandle posTip_ = 0;
  SWUI::SwndHandle tips_[kTipTexts] = {};
};
