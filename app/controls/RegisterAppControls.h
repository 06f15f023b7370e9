// The application's own element and skin classes, registered by XML tag so that the program's
// layouts can name them. Start-up calls this right after the framework's application object
// exists and before any resource is read.
#pragma once

namespace SWUI {
class SObjectFactoryMgr;
}

// Registers every application class in its fixed order, none replacing a registration that
// already exists (a duplicate tag keeps its first factory; the refusal is not reported).
void RegisterAppControls(SWUI::SObjectFactoryMgr& mgr);
