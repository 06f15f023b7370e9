// A host window's script engine, made by the application's script factory. The program
// installs no factory, so no host has one; the host only calls these operations.
#pragma once
#include <windows.h>

#include <cstddef>

#include "base/IObjRef.h"

namespace SWUI {

class EventArgs;

struct IScriptModule : public IObjRef {
  // Runs a script given as text (UTF-8); the engine's result code.
  virtual int ExecuteScriptBuffer(const char* script, size_t length) = 0;
  // Runs the handler named by the text with an event; TRUE when the handler took it.
  virtual BOOL ExecuteScriptedEventHandler(LPCSTR handler, EventArgs* evt) = 0;

 protected:
  virtual ~IScriptModule() = default;
};

}  // namespace SWUI
