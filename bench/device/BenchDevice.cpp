// Request and reply against the simulated effect processor: requests per second, median and
// 99th-percentile latency of 'd' requests, and the CPU time of 2 s idle with a device open
// (the receive thread must block, not spin).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "HidDevice/CDeviceManager.h"
#include "HidDevice/CommandReport.h"
#include "SimHidBus.h"

namespace {
double Now(const LARGE_INTEGER& freq) {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  auto ms = [](const FILETIME& f) {
    return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) /
           10000.0;
  };
  return ms(kernel) + ms(user);
}

bool SendD(CDeviceManager& mgr, int i) {
  BYTE request[64] = {CmdWriteParams};
  BYTE reply[64];
  request[4] = 1;  // one entry: Musicvolume (offset 0, 1 byte)
  request[7] = 1;
  request[8] = static_cast<BYTE>(i % 61);
  return mgr.SendAndReceive(request, reply, 200) != FALSE;
}
}  // namespace

int main() {
  const int kRequests = 3000;
  SimHidBus bus;
  bus.AddDevice(CDeviceManager::kVendorId, CDeviceManager::kProductId);
  CDeviceManager mgr(CDeviceManager::kVendorId, CDeviceManager::kProductId);
  if (!mgr.StartRecvThread() || mgr.EnumDevices() < 1 || !mgr.ConnectDevice(0)) {
    printf("bench_device: could not open the simulated device\n");
    return 1;
  }
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  for (int i = 0; i < 100; ++i) SendD(mgr, i);

  std::vector<double> latencies;
  latencies.reserve(kRequests);
  int failures = 0;
  double busyCpu0 = ProcessCpuMs();
  double start = Now(freq);
  for (int i = 0; i < kRequests; ++i) {
    double t0 = Now(freq);
    failures += SendD(mgr, i) ? 0 : 1;
    latencies.push_back(Now(freq) - t0);
  }
  double total = Now(freq) - start;
  double busyCpu = ProcessCpuMs() - busyCpu0;
  std::sort(latencies.begin(), latencies.end());
  printf("bench_device: %d 'd' requests in %.1f ms, %d failed\n", kRequests, total, failures);
  printf("  requests/s      %10.0f\n", kRequests * 1000.0 / total);
  printf("  median latency  %10.3f ms\n", latencies[latencies.size() / 2]);
  printf("  p99 latency     %10.3f ms\n", latencies[latencies.size() * 99 / 100]);
  printf("  max latency     %10.3f ms\n", latencies.back());
  printf("  CPU during the requests: %.1f ms\n", busyCpu);

  double cpu0 = ProcessCpuMs();
  Sleep(2000);
  double cpu1 = ProcessCpuMs();
  printf("  idle CPU, 2 s with the device open: %.1f ms\n", cpu1 - cpu0);

  mgr.DisconnectDevice();
  mgr.Shutdown();
  return 0;
}
