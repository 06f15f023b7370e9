#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "base/SAutoRefPtr.h"
#include "core/SLog.h"
#include "base/TObjRefImpl.h"
#include "core/TObjRefImpl2.h"

using namespace SWUI;

namespace {

struct Counted : TObjRefImpl<IObjRef> {
  explicit Counted(int* deaths) : deaths_(deaths) {}
  ~Counted() override { ++*deaths_; }
  int* deaths_;
};

// The counted part is a base; the final release must delete the whole owner.
struct Owner;
struct OwnerRef : TObjRefImpl2<IObjRef, Owner> {};
struct OwnerPayload {
  std::vector<int> data = std::vector<int>(16, 7);
};
struct Owner : OwnerPayload, OwnerRef {
  explicit Owner(int* deaths) : deaths_(deaths) {}
  ~Owner() override { ++*deaths_; }
  int* deaths_;
};

}  // namespace

TEST_CASE("a new object holds one reference and the last release destroys it") {
  int deaths = 0;
  auto* obj = new Counted(&deaths);
  CHECK(obj->GetRefCount() == 1);
  CHECK(obj->AddRef() == 2);
  CHECK(obj->Release() == 1);
  CHECK(deaths == 0);
  CHECK(obj->Release() == 0);
  CHECK(deaths == 1);
}

TEST_CASE("TObjRefImpl2 deletes the owning class") {
  int deaths = 0;
  Owner* owner = new Owner(&deaths);
  IObjRef* ref = owner;
  ref->AddRef();
  CHECK(ref->Release() == 1);
  CHECK(ref->Release() == 0);
  CHECK(deaths == 1);
}

TEST_CASE("SAutoRefPtr adds, keeps and releases references") {
  int deaths = 0;
  auto* a = new Counted(&deaths);
  auto* b = new Counted(&deaths);
  {
    SAutoRefPtr<Counted> p(a);
    CHECK(a->GetRefCount() == 2);
    p = a;  // same pointer: nothing changes
    CHECK(a->GetRefCount() == 2);
    SAutoRefPtr<Counted> q(p);
    CHECK(a->GetRefCount() == 3);
    q = b;
    CHECK(a->GetRefCount() == 2);
    CHECK(b->GetRefCount() == 2);
    SAutoRefPtr<Counted> moved(std::move(q));
    CHECK(q.Get() == nullptr);
    CHECK(b->GetRefCount() == 2);
    p.Reset();
    CHECK(a->GetRefCount() == 1);
    CHECK(!p);
  }
  CHECK(b->GetRefCount() == 1);
  CHECK(deaths == 0);
  SAutoRefPtr<Counted> owner;
  owner.Attach(a);  // takes the creator's reference
  CHECK(a->GetRefCount() == 1);
  Counted* back = owner.Detach();
  CHECK(back == a);
  CHECK(a->Release() == 0);
  CHECK(b->Release() == 0);
  CHECK(deaths == 2);
}

namespace {
// Releasing the old object runs its destructor, which reads the pointer that held it.
struct Reentrant : TObjRefImpl<IObjRef> {
  SAutoRefPtr<Reentrant>* holder = nullptr;
  Reentrant** seen = nullptr;
  ~Reentrant() override {
    if (holder != nullptr) *seen = holder->Get();
  }
};
}  // namespace

TEST_CASE("SAutoRefPtr stores the new object before releasing the old one") {
  SAutoRefPtr<Reentrant> holder;
  auto* first = new Reentrant;
  auto* second = new Reentrant;
  Reentrant* seen = nullptr;
  holder.Attach(first);
  first->holder = &holder;
  first->seen = &seen;
  holder = second;
  CHECK(seen == second);
  second->Release();
}

namespace {
struct CaptureLog : TObjRefImpl<ILogMgr> {
  BOOL PrePrintLog(int, int level) override { return level >= LOG_LEVEL_WARN; }
  void PrintLog(int, int level, const char* tag, const char*, int, const char*, const void*,
                const char* text) override {
    lines.push_back(std::to_string(level) + "|" + tag + "|" + text);
  }
  std::vector<std::string> lines;
};
}  // namespace

TEST_CASE("a reference-counted log manager receives the lines it accepts") {
  SAutoRefPtr<CaptureLog> log;
  log.Attach(new CaptureLog);
  SLog::SetLogManager(log);
  SLog::Printf(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, __func__, "n=%d", 5);
  SLog::Write(LOG_LEVEL_DEBUG, "swui", __FILE__, __LINE__, __func__, "dropped");
  SLog::SetLogManager(nullptr);
  REQUIRE(log->lines.size() == 1);
  CHECK(log->lines[0] == "3|swui|n=5");
}
