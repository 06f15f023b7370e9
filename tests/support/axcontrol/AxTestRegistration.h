// The test control's classes in the registry for as long as the object lives: the four
// variants a test creates by class id (the stand-in never: it is registered per process with
// CoRegisterClassObject), each as CLSID\{...}\InprocServer32 naming the axtestctl.dll this
// process loaded, and the ProgID of the windowless variant. Written under HKEY_CLASSES_ROOT
// unless another root of class keys is given (the probe also tries HKCU Software\Classes);
// removed again on destruction.
#pragma once
#include <windows.h>

#include <string>

class AxTestRegistration {
 public:
  explicit AxTestRegistration(HKEY root = HKEY_CLASSES_ROOT, const wchar_t* prefix = L"");
  ~AxTestRegistration();
  AxTestRegistration(const AxTestRegistration&) = delete;
  AxTestRegistration& operator=(const AxTestRegistration&) = delete;

  // Every key was written.
  bool ok() const { return ok_; }
  // The DLL path written.
  const std::wstring& dllPath() const { return dllPath_; }

 private:
  bool Write(const std::wstring& key, const wchar_t* name, const std::wstring& value);

  HKEY root_;
  std::wstring prefix_;
  std::wstring dllPath_;
  bool ok_ = false;
};

// A class id as "{...}" text.
std::wstring GuidText(REFGUID guid);
