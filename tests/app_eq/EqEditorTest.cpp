// The EQ editor's geometry, its attributes, and where it puts its handles for a model: bands,
// filters, bandwidth guides; the inverse mappings the page logic reads a drag with.
#include <cmath>

#include "EqRig.h"

using namespace SWUI;

TEST_CASE("editor geometry: the main window's editor has 12 rows of 22 pixels") {
  EqRig eq;
  const EqPlotGeometry& g = eq.editor->Geometry();
  CHECK(g.rowHeight == 22);
  CHECK(g.plotHeight == 264);
  CHECK(g.bottomGap == 18);  // not bdist: what the rows leave below them
  CHECK(g.plotWidth == 562);
  CHECK(g.PlotLeft() == 38);
  CHECK(g.PlotTop() == 18);
  CHECK(g.yScale == doctest::Approx(264.0 / 36));
  CHECK(g.logZero == doctest::Approx(1.0));
}

TEST_CASE("editor attributes: refused values keep the old one") {
  EqRig eq;
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
  };
  const Case refused[] = {{L"nKedu", L"0"},    {L"nKedu", L"-3"},    {L"dbKeduVal", L"0"},
                          {L"dbMax", L"-24"},  {L"dbMin", L"12"},    {L"dbMin", L"20"},
                          {L"zeroXFreq", L"9"}, {L"zeroXFreq", L"21"}, {L"ZEROXFREQ", L"0"}};
  const EqPlotGeometry before = eq.editor->Geometry();
  for (const Case& c : refused) {
    CAPTURE(std::string(c.name, c.name + wcslen(c.name)));
    CHECK(eq.editor->SetAttribute(SStringW(c.name), SStringW(c.value), FALSE) == E_FAIL);
  }
  const EqPlotGeometry& g = eq.editor->Geometry();
  CHECK(g.nKedu == before.nKedu);
  CHECK(g.dbKeduVal == before.dbKeduVal);
  CHECK(g.dbMax == before.dbMax);
  CHECK(g.dbMin == before.dbMin);
  CHECK(g.zeroXFreq == before.zeroXFreq);
  CHECK(g.rowHeight == before.rowHeight);

  // Accepted at run time: the geometry follows at once.
  CHECK(eq.editor->SetAttribute(SStringW(L"tdist"), SStringW(L"40"), FALSE) == S_OK);
  CHECK(g.rowHeight == (300 - 40 - 16) / 12);
  CHECK(eq.editor->SetAttribute(SStringW(L"zeroXFreq"), SStringW(L"20"), FALSE) == S_OK);
  CHECK(g.logZero == doctest::Approx(std::log10(20.0)));
}

TEST_CASE("editor handles: a band at 1 kHz and 0 dB, filters on the -15 dB line") {
  EqRig eq;
  Model m{Band(1000, 0)};
  SetEqCurveHighPass(m.info, 1, 5, -12, 0.7);
  SetEqCurveLowPass(m.info, 1, 21000, -12, 0.7);
  eq.editor->SetCurve(&m.info);
  SMoveThumb* band = eq.BandThumb(0);
  CHECK(band->GetWindowRect() == RECT{362, 97, 380, 115});
  CHECK(EqRig::Center(band) == POINT{371, 106});
  CHECK(band->IsVisible());
  CHECK_FALSE(eq.BandThumb(1)->IsVisible());
  CHECK(EqRig::Center(eq.Thumb(L"hp")) == POINT{76, 216});  // 5 Hz shows at 17 Hz
  CHECK(EqRig::Center(eq.Thumb(L"lp")) == POINT{594, 216});  // 21000 Hz shows at 22000 Hz
  CHECK(eq.Thumb(L"hp")->IsVisible());
  CHECK(eq.Thumb(L"lp")->IsVisible());
  CHECK(eq.editor->GetFilterThumb(ZuEQ::kHighPass2) == nullptr);

  // Where each kind of filter handle stands for a slot frequency.
  struct Case {
    bool highPass;
    double freq;
    double shownAt;
  };
  const Case cases[] = {{true, 9.99, 17},     {false, 9.99, 14.5},   {true, 21000, 21000},
                        {true, 21001, 22000}, {false, 20600, 20600}, {false, 20601, 22000},
                        {true, 10, 10},       {false, 1000, 1000}};
  const EqPlotGeometry& g = eq.editor->Geometry();
  for (const Case& c : cases) {
    CAPTURE(c.freq);
    if (c.highPass) {
      SetEqCurveHighPass(m.info, 1, c.freq, -12, 0.7);
    } else {
      SetEqCurveLowPass(m.info, 1, c.freq, -12, 0.7);
    }
    eq.editor->UpdateThumbs();
    const POINT center = EqRig::Center(eq.Thumb(c.highPass ? L"hp" : L"lp"));
    CHECK(center.x == g.XAtFreq(c.shownAt));
    CHECK(center.y == 216);
  }
}

TEST_CASE("editor handles: shown for the model's bands, at most 64") {
  EqRig eq(EditorXml(64));
  {
    Model m(20);
    eq.editor->SetCurve(&m.info);
    for (int i = 0; i < 64; ++i) {
      CAPTURE(i);
      CHECK(eq.BandThumb(i)->IsVisible() == (i < 20));
    }
    CHECK_FALSE(eq.Thumb(L"hp")->IsVisible());  // no filter set in this model
    eq.editor->SetCurve(nullptr);
  }
  Model many(70);
  eq.editor->SetCurve(&many.info);
  int shown = 0;
  for (int i = 0; i < 64; ++i) shown += eq.BandThumb(i)->IsVisible() ? 1 : 0;
  CHECK(shown == 64);
  CHECK(eq.editor->GetBandThumb(64) == nullptr);
}

TEST_CASE("editor handles: children are told apart by user data, the rest left alone") {
  EqRig eq;
  CHECK(eq.editor->GetBandThumb(25) == eq.BandThumb(25));
  CHECK(eq.editor->GetFilterThumb(ZuEQ::kHighPass) == eq.Thumb(L"hp"));
  CHECK(eq.editor->GetFilterThumb(ZuEQ::kLowPass) == eq.Thumb(L"lp"));
  CHECK(eq.editor->GetGuideThumb(ZuEQ::kLeftGuide) == eq.Thumb(L"gl"));
  CHECK(eq.editor->GetGuideThumb(ZuEQ::kRightGuide) == eq.Thumb(L"gr"));
  CHECK_FALSE(eq.BandThumb(0)->IsVisible());  // every handle starts hidden
  CHECK(eq.rig.Find(L"other")->IsVisible());

  // A lone guide is no guide.
  EqRig lone(L"<root><zueq name='eq' pos='0,0,-0,-0'>"
             L"<moveThumb name='gl' data='-5' float='1' size='20,17'/></zueq></root>");
  CHECK(lone.editor->GetGuideThumb(ZuEQ::kLeftGuide) == nullptr);
  Model m{Band(1000, 6)};
  SetEqCurveBand(m.info, 0, Band(1000, 6));
  lone.editor->SetCurve(&m.info);
  lone.editor->ShowBandGuide();
  CHECK_FALSE(lone.Thumb(L"gl")->IsVisible());
}

TEST_CASE("editor guides: spaced by the selected band's Q, hidden without a selected band") {
  EqRig eq;
  struct Case {
    double q;
    int reach;  // 120 less the Q-table index of trunc(q x 300)
  };
  const Case cases[] = {{0.7, 91}, {1.0, 85}, {0.4, 101}, {128, 20}};
  Model m(3);
  eq.editor->SetCurve(&m.info);
  eq.editor->ShowBandGuide();
  for (const Case& c : cases) {
    CAPTURE(c.q);
    REQUIRE(SetEqCurveBand(m.info, 1, Band(1000, 6, c.q)) == 1);  // selects band 1
    eq.editor->Refresh();
    SMoveThumb* left = eq.Thumb(L"gl");
    SMoveThumb* right = eq.Thumb(L"gr");
    CHECK(EqRig::Center(left) == POINT{371 - c.reach, 62});
    CHECK(EqRig::Center(right) == POINT{371 + c.reach, 62});
    CHECK(left->IsVisible());
    CHECK(right->IsVisible());
    CHECK(left->GetBandIndex() == 1);
    CHECK(right->GetBandIndex() == 1);
  }

  SUBCASE("no band selected") {
    REQUIRE(SetEqCurveBand(m.info, 1, Band(1000, 0)) == 1);  // flat again: selected -1
  }
  SUBCASE("a filter selected") {
    SetEqCurveHighPass(m.info, 1, 100, -12, 0.7);  // selects slot n
    REQUIRE(m.info.selected == 3);
  }
  eq.editor->Refresh();
  CHECK_FALSE(eq.Thumb(L"gl")->IsVisible());
  CHECK_FALSE(eq.Thumb(L"gr")->IsVisible());
  CHECK(eq.Thumb(L"gl")->GetBandIndex() == -1);
  CHECK(eq.Thumb(L"gr")->GetBandIndex() == -1);
}

TEST_CASE("editor guides stay hidden until ShowBandGuide") {
  EqRig eq;
  Model m(3);
  SetEqCurveBand(m.info, 2, Band(2000, -6));
  eq.editor->SetCurve(&m.info);
  CHECK_FALSE(eq.Thumb(L"gl")->IsVisible());
  eq.editor->ShowBandGuide();
  CHECK(eq.Thumb(L"gl")->IsVisible());
  CHECK(eq.Thumb(L"gl")->GetBandIndex() == 2);
}

TEST_CASE("editor mappings: every plot pixel gives a frequency and gain that map back to it") {
  EqRig eq;
  const EqPlotGeometry& g = eq.editor->Geometry();
  int wrongX = 0;
  for (int x = g.PlotLeft(); x <= g.PlotLeft() + g.plotWidth; ++x) {
    if (g.XAtFreq(eq.editor->FreqAtX(x)) != x) ++wrongX;
  }
  int wrongY = 0;
  for (int y = g.PlotTop(); y <= g.PlotBottom(); ++y) {
    if (g.YAtGain(eq.editor->GainAtY(y)) != y) ++wrongY;
  }
  CHECK(wrongX == 0);
  CHECK(wrongY == 0);
  CHECK(eq.editor->FreqAtX(38) == doctest::Approx(10.0));
  CHECK(eq.editor->FreqAtX(600) == doctest::Approx(24000.0));
  CHECK(eq.editor->GainAtY(18) == doctest::Approx(12.0));
  CHECK(eq.editor->GainAtY(282) == doctest::Approx(-24.0));
  // Unclamped on both sides: the page logic clamps.
  CHECK(eq.editor->GainAtY(0) > 12.0);
  CHECK(eq.editor->GainAtY(299) < -24.0);
  CHECK(eq.editor->FreqAtX(0) < 10.0);
}

TEST_CASE("editor model: null detaches it and hides every handle") {
  EqRig eq;
  Model m{Band(1000, 3), Band(2000, 0)};
  SetEqCurveHighPass(m.info, 1, 100, -12, 0.7);
  SetEqCurveBand(m.info, 0, Band(1000, 3));
  eq.editor->SetCurve(&m.info);
  eq.editor->ShowBandGuide();
  REQUIRE(eq.BandThumb(0)->IsVisible());
  REQUIRE(eq.Thumb(L"gl")->IsVisible());
  eq.editor->SetCurve(nullptr);
  CHECK(eq.editor->GetCurve() == nullptr);
  for (const wchar_t* name : {L"b0", L"b1", L"hp", L"gl", L"gr"}) {
    CAPTURE(std::string(name, name + wcslen(name)));
    CHECK_FALSE(eq.Thumb(name)->IsVisible());
  }
  CHECK(eq.Thumb(L"gl")->GetBandIndex() == -1);
  auto* curve = dynamic_cast<ZuEqCurve*>(eq.rig.Find(L"curve"));
  REQUIRE(curve != nullptr);
  CHECK(curve->GetModel() == nullptr);
  eq.editor->UpdateThumbs();  // nothing to place, nothing breaks
}

TEST_CASE("editor model: a model already attached is not rebuilt") {
  EqRig eq;
  Model m{Band(1000, 6)};
  eq.editor->SetCurve(&m.info);
  // Changed behind the model's back: only a new attach would recompute the totals.
  m.info.curve[0] = 99.0;
  eq.editor->SetCurve(&m.info);
  CHECK(m.info.curve[0] == 99.0);
}

TEST_CASE("editor handles: MoveCenter keeps fractions of the parent, none before a layout") {
  EqRig eq;
  SMoveThumb* band = eq.BandThumb(0);
  band->MoveCenter(100, 50);
  CHECK(band->GetWindowRect() == RECT{91, 41, 109, 59});
  CHECK(band->GetXFloat() == doctest::Approx(91.0 / 600));
  CHECK(band->GetYFloat() == doctest::Approx(41.0 / 300));

  // A relayout puts it back at the same place from its fractions.
  eq.rig.root->OnRelayout(RECT{0, 0, 600, 301});
  eq.rig.root->OnRelayout(RECT{0, 0, 600, 300});
  CHECK(band->GetWindowRect() == RECT{91, 41, 109, 59});

  SWindow* loose = NewElement(eq.rig.app, L"moveThumb");
  auto* thumb = dynamic_cast<SMoveThumb*>(loose);
  REQUIRE(thumb != nullptr);
  thumb->SetAttribute(SStringW(L"xFloat"), SStringW(L"0.25"), TRUE);
  thumb->SetAttribute(SStringW(L"size"), SStringW(L"18,18"), TRUE);
  thumb->MoveCenter(50, 50);
  CHECK(thumb->GetWindowRect() == RECT{41, 41, 59, 59});
  CHECK(thumb->GetXFloat() == doctest::Approx(0.25));
  CHECK(thumb->GetYFloat() == doctest::Approx(0.0));
  loose->Release();
}

TEST_CASE("editor with an empty plot places no handle") {
  EqRig eq(EditorXml(), 600, 40);  // 40 - 18 - 16 leaves no room for 12 rows
  REQUIRE(eq.editor->Geometry().IsEmpty());
  Model m{Band(1000, 6)};
  eq.editor->SetCurve(&m.info);
  const RECT before = eq.BandThumb(0)->GetWindowRect();
  eq.editor->Refresh();
  eq.editor->ShowBandGuide();
  CHECK(eq.BandThumb(0)->GetWindowRect() == before);
  CHECK_FALSE(eq.Thumb(L"gl")->IsVisible());
}
