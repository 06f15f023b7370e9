// OLE for the length of a test: initialised on construction (the calling thread becomes a
// single-threaded apartment, as the program's UI thread is), uninitialised on destruction.
#pragma once
#include <ole2.h>

class OleSession {
 public:
  OleSession() : hr_(OleInitialize(nullptr)) {}
  ~OleSession() {
    if (SUCCEEDED(hr_)) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

  bool ok() const { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};
