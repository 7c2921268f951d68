#pragma once
// The update hints as the drawing views take them.
#include "platform/ui/wnd/Msg.h"

// Every view is built afresh.
constexpr LPARAM kHintInitial = 0;
// The measurement units changed, or the plan selector moved: the plan view reads its records again.
constexpr LPARAM kHintPlanRecords = 1;
// The hint object is the detail selector to show (or none).
constexpr LPARAM kHintDetailSelector = 2;
// The Elevation view was shown.
constexpr LPARAM kHintElevation = 3;
// The plan-section settings or the screen colours changed.
constexpr LPARAM kHintColours = 4;
// A field of the view's own dialog bar changed; a view sends it only to itself.
constexpr LPARAM kHintBarChanged = 5;
