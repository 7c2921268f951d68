#pragma once
// The dialog bars of the Plan, Elevation and Detail frames.

constexpr unsigned int IDD_PLAN_BAR = 1501;
constexpr unsigned int IDD_ELEVATION_BAR = 1601;
constexpr unsigned int IDD_DETAIL_BAR = 1702;

void RegisterAspectViewBars();
