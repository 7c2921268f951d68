#pragma once
// The dialog bars of the Plan, Elevation and Detail frames: the row of output buttons and, below
// it, the fields of the view.
#include "platform/core/Types.h"

constexpr UINT IDD_PLAN_BAR = 1501;
constexpr UINT IDD_ELEVATION_BAR = 1601;
constexpr UINT IDD_DETAIL_BAR = 1702;

void RegisterAspectViewBars();
