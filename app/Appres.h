#pragma once
// The application object's resources: its strings, the splash and About pictures and the About
// and Credits dialogs, registered with the program's resource table.
#include "platform/core/Types.h"

// The class library's application title; the profile is named after it.
constexpr unsigned kAppTitleString = 0xE000;
constexpr unsigned kMainFrameString = 107;
constexpr unsigned kMakerNameString = 5001;
constexpr unsigned kProductNameString = 5002;

// Registers them; calling it again changes nothing.
void RegisterAppResources();
