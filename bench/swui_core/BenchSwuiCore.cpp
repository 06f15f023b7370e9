// Figures of the framework core: string copy-and-append against std::wstring, reference-count
// churn from two threads, and object creation by XML tag through the factory registry.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/SObjectDefaultRegister.h"
#include "core/SObjectFactoryMgr.h"
#include "base/SObjectImpl.h"
#include "base/SString.h"
#include "base/TObjRefImpl.h"

using namespace SWUI;
using Clock = std::chrono::steady_clock;

namespace {

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Copies a base text and appends a few pieces, the way attribute and path texts are built.
template <class Str>
size_t CopyAndAppend(const Str& base, const Str& piece, int rounds) {
  size_t total = 0;
  for (int i = 0; i < rounds; ++i) {
    Str s = base;
    for (int k = 0; k < 4; ++k) s += piece;
    total += static_cast<size_t>(s.size());
  }
  return total;
}

// SStringW spells size() as GetLength().
struct SStr : SStringW {
  using SStringW::SStringW;
  SStr(const SStringW& s) : SStringW(s) {}
  int size() const { return GetLength(); }
};

void BenchStrings() {
  const int rounds = 400000;
  const wchar_t* base = L"LAYOUT:XML_MAINWND";
  const wchar_t* piece = L"/child";
  auto t0 = Clock::now();
  size_t a = CopyAndAppend(SStr(base), SStr(piece), rounds);
  double ours = SecondsSince(t0);
  t0 = Clock::now();
  size_t b = CopyAndAppend(std::wstring(base), std::wstring(piece), rounds);
  double theirs = SecondsSince(t0);
  std::printf("string copy+append: SStringW %.1f Mops/s, std::wstring %.1f Mops/s, speed ratio SStringW/std %.2f%s\n",
              rounds / ours / 1e6, rounds / theirs / 1e6, theirs / ours,
              a == b ? "" : " (MISMATCH)");
}

struct Counted : TObjRefImpl<IObjRef> {};

void BenchRefCount() {
  const int perThread = 5000000;
  Counted* obj = new Counted;
  auto churn = [obj] {
    for (int i = 0; i < perThread; ++i) {
      obj->AddRef();
      obj->Release();
    }
  };
  auto t0 = Clock::now();
  std::thread t1(churn), t2(churn);
  t1.join();
  t2.join();
  double secs = SecondsSince(t0);
  std::printf("ref-count churn, 2 threads: %.1f M AddRef+Release pairs/s, final count %ld\n",
              2.0 * perThread / secs / 1e6, static_cast<long>(obj->GetRefCount()));
  obj->Release();
}

// Stands in for a built-in class that is not built yet, so that the registry holds the full
// set of 70 keys.
class StandIn : public TObjRefImpl<IObjRef>, public SObjectImpl<IObject> {
 public:
  StandIn(LPCWSTR name, int type) : name_(name), type_(type) {}
  LPCWSTR GetObjectClass() const override { return name_; }
  int GetObjectType() const override { return type_; }

 private:
  LPCWSTR name_;
  int type_;
};

class StandInFactory : public SObjectFactory {
 public:
  explicit StandInFactory(const SObjectDefaultRegister::BuiltinClass& entry) : entry_(entry) {}
  IObject* NewObject() const override { return new StandIn(entry_.key, entry_.type); }
  LPCWSTR BaseClassName() const override { return entry_.baseName; }
  SObjectInfo GetObjectInfo() const override { return SObjectInfo(entry_.key, entry_.type); }
  SObjectFactory* Clone() const override { return new StandInFactory(entry_); }

 private:
  const SObjectDefaultRegister::BuiltinClass& entry_;
};

void BenchCreateObject() {
  SObjectFactoryMgr mgr;
  SObjectDefaultRegister reg;
  reg.RegisterLayouts(&mgr);
  reg.RegisterSkins(&mgr);
  reg.RegisterWindows(&mgr);
  reg.RegisterInterpolator(&mgr);
  const size_t builtIn = mgr.GetFactoryCount();
  std::vector<SObjectInfo> windowKeys;
  for (size_t i = 0; i < SObjectDefaultRegister::GetBuiltinClassCount(); ++i) {
    const auto& entry = SObjectDefaultRegister::GetBuiltinClass(i);
    mgr.RegisterFactory(StandInFactory(entry));  // refused where the real class is registered
    if (entry.type == OBJ_TYPE_WINDOW) windowKeys.push_back(SObjectInfo(entry.key, entry.type));
  }
  const int rounds = 400000;
  auto t0 = Clock::now();
  size_t made = 0;
  for (int i = 0; i < rounds; ++i) {
    // The key is built from the tag each time, as a layout loader does.
    const SObjectInfo& key = windowKeys[static_cast<size_t>(i) % windowKeys.size()];
    IObject* obj = mgr.CreateObject(SObjectInfo(key.Name(), key.Type()));
    if (obj != nullptr) {
      ++made;
      dynamic_cast<IObjRef*>(obj)->Release();
    }
  }
  double secs = SecondsSince(t0);
  std::printf("CreateObject by tag: %.2f M objects/s over %zu window tags (%zu of %zu classes "
              "registered, %zu built so far, the rest stand-ins), %zu created\n",
              rounds / secs / 1e6, windowKeys.size(), mgr.GetFactoryCount(),
              SObjectDefaultRegister::GetBuiltinClassCount(), builtIn, made);
}

}  // namespace

int main() {
  BenchStrings();
  BenchRefCount();
  BenchCreateObject();
  return 0;
}
