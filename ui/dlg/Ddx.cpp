#include "ui/dlg/Ddx.h"

#include "ui/wnd/Resource.h"
#include "ui/wnd/WinApp.h"
#include "ui/wnd/Wnd.h"
#include "support/Trace.h"
#include "support/Unitscvt.h"

namespace {
int (*g_pfnMeasurementUnits)() = nullptr;

int MeasurementUnits() { return g_pfnMeasurementUnits ? g_pfnMeasurementUnits() : CUnitsConverter::feetAndInches; }

// The edit kinds of the two display units; any other code is used as the kind itself.
int EditKind(int units)
{
  switch (units) {
  case CUnitsConverter::feetAndInches:
    return CUnitsConverter::editFeetAndInches;
  case CUnitsConverter::metricMillimeters:
    return CUnitsConverter::editMillimeters;
  default:
    return units;
  }
}

// Whether a text can be a length at all: it holds a figure, and a sign stands before a figure or
// a point and figure. The converter reads a lone sign or point as 0, and the second minus of
// "--5" as the separator of feet not given; a field is no place to take either as a length.
bool HoldsMeasurement(CString text)
{
  text.TrimLeft();
  bool figure = false;
  for (int i = 0; i < text.GetLength(); ++i)
    figure = figure || (text[i] >= '0' && text[i] <= '9');
  if (!figure)
    return false;
  if (text[0] != '-' && text[0] != '+')
    return true;
  CString rest = text.Mid(1);
  rest.TrimLeft();
  const auto isFigure = [&rest](int i) { return i < rest.GetLength() && rest[i] >= '0' && rest[i] <= '9'; };
  return isFigure(0) || (!rest.IsEmpty() && rest[0] == '.' && isFigure(1));
}

CString ResourceText(UINT id, const char* fallback)
{
  CString text;
  if (!AfxLoadString(id, text))
    text = fallback;
  return text;
}
}  // namespace

void SetLengthUnitsSource(int (*pfnMeasurementUnits)()) { g_pfnMeasurementUnits = pfnMeasurementUnits; }

void DDX_Length(CDataExchange* pDX, int nIDC, double& value)
{
  CWnd* edit = pDX->PrepareEditCtrl(nIDC);
  const int kind = EditKind(MeasurementUnits());
  const CUnitsConverter converter;
  if (!pDX->m_bSaveAndValidate) {
    edit->SetWindowText(converter.FormatLength(kind, value));
    return;
  }
  // All of the text is judged: a cut one could read as another length.
  CString text;
  edit->GetWindowText(text);
  // The member changes only when the text is a length, so a refused entry loses nothing. The
  // converter reads a blank text, a lone sign or a lone point as 0, but a field without a
  // measurement is no length: taking it as 0 would move or size things to nothing without a word.
  double parsed = 0.0;
  if (!HoldsMeasurement(text) || !converter.ParseLength(kind, text, &parsed)) {
    AfxMessageBox(ResourceText(IDS_INVALID_MEASUREMENT, "Please enter a valid measurement."), MB_ICONEXCLAMATION);
    pDX->Fail();
  }
  value = parsed;
  pDX->ShowTaken(converter.FormatLength(kind, value));
}

void DDV_Length(CDataExchange* pDX, double value, double minValue, double maxValue)
{
  if (value >= minValue && value <= maxValue)
    return;
  if (!pDX->m_bSaveAndValidate) {
    PCTRACE(TT_DIALOG_BOXES, TL_WARNING)("Initial dialog data is out of range.\n");
    return;
  }
  // The limits are shown in the display form of the user's units.
  const int kind = MeasurementUnits();
  const CUnitsConverter converter;
  CString message;
  AfxFormatString2(message, ResourceText(IDS_MEASUREMENT_RANGE, "Please enter a measurement between %1 and %2."),
                   converter.FormatLength(kind, minValue), converter.FormatLength(kind, maxValue));
  AfxMessageBox(message, MB_ICONEXCLAMATION, IDS_MEASUREMENT_RANGE);
  pDX->Fail();
}
