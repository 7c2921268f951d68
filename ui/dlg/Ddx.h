#pragma once
// Length fields of dialogs: an edit control bound to a length in inches, shown and typed in the
// user's measurement units.
#include "ui/dlg/DataExch.h"

// Shows value in the control (loading) or reads the control's whole text into value (saving);
// text that is no length, a blank field or a text without a figure or with a sign before no
// figure included, is refused with "Please enter a valid measurement." and value keeps what it
// held. A length taken is shown in the display form once
// the whole exchange has passed.
void DDX_Length(CDataExchange* pDX, int nIDC, double& value);
// Refuses, when saving, a value outside [minValue, maxValue] with "Please enter a measurement
// between %1 and %2.", the limits shown in the user's units.
void DDV_Length(CDataExchange* pDX, double value, double minValue, double maxValue);

// Where the length fields read the measurement-units preference (0 feet and inches,
// 3 millimetres); the application sets it at start-up. Without it, feet and inches.
void SetLengthUnitsSource(int (*pfnMeasurementUnits)());

// String resources of the two messages (the texts above when they are not registered).
constexpr UINT IDS_INVALID_MEASUREMENT = 5020;
constexpr UINT IDS_MEASUREMENT_RANGE = 5022;
