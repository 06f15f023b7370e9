// The nine interpolators: their curves, parameters, attributes and creation by name.
#include <doctest/doctest.h>
#include <windows.h>

#include <pugixml.hpp>

#include <cmath>
#include <string>

#include "HostRig.h"
#include "core/SAccelerateInterpolator.h"
#include "core/SAnticipateOvershootInterpolator.h"
#include "core/SAnticipateInterpolator.h"
#include "core/SCycleInterpolator.h"
#include "core/SDecelerateInterpolator.h"
#include "core/SOvershootInterpolator.h"

using namespace SWUI;

namespace {

const wchar_t* const kNames[] = {L"Linear",     L"Accelerate", L"Decelerate",
                                 L"AccelerateDecelerate", L"Anticipate",
                                 L"AnticipateOvershoot",  L"Bounce",
                                 L"Cycle",      L"Overshoot"};

// Within 1e-5, the tolerance of the curves' float arithmetic.
bool Near(float got, float expected) { return std::fabs(got - expected) <= 1e-5f; }

struct Made {
  explicit Made(IInterpolator* p) : p(p) {}
  ~Made() {
    if (p != nullptr) p->Release();
  }
  IInterpolator* operator->() const { return p; }
  IInterpolator* p;
};

}  // namespace

TEST_CASE("interpolators made by name follow their curves") {
  HostRig rig;
  struct Case {
    const wchar_t* name;
    float t;
    float expected;
  };
  const Case cases[] = {
      {L"Linear", 0.0f, 0.0f},
      {L"Linear", 0.3f, 0.3f},
      {L"Linear", 1.0f, 1.0f},
      {L"Accelerate", 0.0f, 0.0f},
      {L"Accelerate", 0.5f, 0.25f},
      {L"Accelerate", 1.0f, 1.0f},
      {L"Decelerate", 0.0f, 0.0f},
      {L"Decelerate", 0.5f, 0.75f},
      {L"Decelerate", 1.0f, 1.0f},
      {L"AccelerateDecelerate", 0.0f, 0.0f},
      {L"AccelerateDecelerate", 0.5f, 0.5f},
      {L"AccelerateDecelerate", 1.0f, 1.0f},
      {L"Anticipate", 0.5f, -0.125f},
      {L"Anticipate", 1.0f, 1.0f},
      {L"Overshoot", 0.9f, 1.017f},
      {L"Overshoot", 1.0f, 1.0f},
      // S = 2 x 1.5 = 3: 0.5 x (0.6 x 0.6 x (4 x 0.6 - 3)) and 0.5 x (o(-0.8) + 2).
      {L"AnticipateOvershoot", 0.3f, -0.108f},
      {L"AnticipateOvershoot", 0.6f, 1.0f + 0.5f * 0.64f * (4.0f * -0.8f + 3.0f)},
      {L"AnticipateOvershoot", 1.0f, 1.0f},
      {L"Bounce", 0.2f, 8.0f * 0.22452f * 0.22452f},
      {L"Bounce", 0.5f, 8.0f * (0.5613f - 0.54719f) * (0.5613f - 0.54719f) + 0.7f},
      {L"Bounce", 1.0f, 8.0f * 0.0791f * 0.0791f + 0.95f},
      {L"Cycle", 0.25f, 1.0f},
      {L"Cycle", 0.5f, 0.0f},
      {L"Cycle", 1.0f, 0.0f},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name));
    CAPTURE(c.t);
    Made made(rig.app->CreateInterpolatorByName(c.name));
    REQUIRE(made.p != nullptr);
    CHECK(Near(made->GetInterpolation(c.t), c.expected));
  }
}

TEST_CASE("every interpolator is a counted object of kind 4 that answers interpolator_base") {
  HostRig rig;
  for (const wchar_t* name : kNames) {
    CAPTURE(std::wstring(name));
    IInterpolator* p = rig.app->CreateInterpolatorByName(name);
    REQUIRE(p != nullptr);
    CHECK(std::wstring(p->GetObjectClass()) == name);
    CHECK(p->GetObjectType() == OBJ_TYPE_INTERPOLATOR);
    CHECK(p->IsClass(name));
    CHECK(p->IsClass(L"interpolator_base"));
    CHECK_FALSE(p->IsClass(L"Interpolator_Base"));
    CHECK(p->AddRef() == 2);
    CHECK(p->Release() == 1);
    CHECK(p->Release() == 0);
  }
  // Keys are found in any case; an unknown name makes nothing.
  Made lower(rig.app->CreateInterpolatorByName(L"anticipateovershoot"));
  CHECK(lower.p != nullptr);
  CHECK(rig.app->CreateInterpolatorByName(L"Elastic") == nullptr);
  CHECK(rig.app->CreateInterpolatorByName(L"interpolator_base") == nullptr);
}

TEST_CASE("interpolator attributes set their parameters") {
  HostRig rig;
  Made overshoot(rig.app->CreateInterpolatorByName(L"Overshoot"));
  CHECK(overshoot->SetAttribute(SStringW(L"TENSION"), SStringW(L"0"), FALSE) == S_FALSE);
  CHECK(Near(overshoot->GetInterpolation(0.5f), 0.875f));  // 1 + 0.25 x -0.5
  CHECK(overshoot->SetAttribute(SStringW(L"tension"), SStringW(L"x"), FALSE) == E_INVALIDARG);
  CHECK(Near(overshoot->GetInterpolation(0.5f), 0.875f));  // unchanged
  CHECK(overshoot->SetAttribute(SStringW(L"factor"), SStringW(L"2"), FALSE) == E_FAIL);

  Made accelerate(rig.app->CreateInterpolatorByName(L"Accelerate"));
  CHECK(accelerate->SetAttribute(SStringW(L"factor"), SStringW(L"2"), FALSE) == E_FAIL);

  Made cycle(rig.app->CreateInterpolatorByName(L"Cycle"));
  pugi::xml_document doc;
  REQUIRE(doc.load_string(L"<Cycle cycles=\"2\"/>"));
  CHECK(cycle->InitFromXml(doc.first_child()));
  CHECK(Near(cycle->GetInterpolation(0.125f), 1.0f));

  Made both(rig.app->CreateInterpolatorByName(L"AnticipateOvershoot"));
  CHECK(both->SetAttribute("extratension", "1", FALSE) == S_FALSE);  // S = 2: 0.5 x a(0.6)
  CHECK(Near(both->GetInterpolation(0.3f), 0.5f * 0.36f * (3.0f * 0.6f - 2.0f)));

  Made decelerate(rig.app->CreateInterpolatorByName(L"Decelerate"));
  CHECK(decelerate->SetAttribute(SStringW(L"Factor"), SStringW(L"2"), FALSE) == S_FALSE);
  CHECK(Near(decelerate->GetInterpolation(0.5f), 1.0f - 0.0625f));

  Made anticipate(rig.app->CreateInterpolatorByName(L"Anticipate"));
  CHECK(anticipate->SetAttribute(SStringW(L"tension"), SStringW(L"1"), FALSE) == S_FALSE);
  CHECK(Near(anticipate->GetInterpolation(0.5f), 0.0f));  // 0.25 x (1 - 1)
}

TEST_CASE("constructors take the parameters") {
  struct Case {
    IInterpolator* p;
    float t;
    float expected;
  };
  const Case cases[] = {
      {new SAccelerateInterpolator(2.0f), 0.5f, 0.0625f},  // t to the fourth
      {new SDecelerateInterpolator(1.5f), 0.5f, 0.875f},
      {new SAnticipateInterpolator(0.0f), 0.5f, 0.125f},
      {new SOvershootInterpolator(0.0f), 0.5f, 0.875f},
      {new SAnticipateOvershootInterpolator(1.0f, 1.0f), 0.25f, 0.5f * 0.25f * (1.0f - 1.0f)},
      {new SCycleInterpolator(0.5f), 0.5f, 1.0f},
  };
  for (const Case& c : cases) {
    CAPTURE(c.p->GetObjectClass());
    CHECK(Near(c.p->GetInterpolation(c.t), c.expected));
    CHECK(c.p->Release() == 0);
  }
}
