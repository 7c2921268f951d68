#include "app/Miscprf.h"

#include "app/Digitrun.h"
#include "app/Dxfunits.h"
#include "ui/draw/Dc.h"
#include "ui/wnd/WinApp.h"
#include "support/Assoctbl.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "support/Unitscvt.h"

namespace {

constexpr const char* kModule = "Miscprf";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineWriteMainWindowRect = 108,
  kLineWriteMeasurementUnits = 109,
  kLineWriteDXFTranslationUnit = 110,
  kLineWriteHorizontalExtent = 113,
  kLineWriteVerticalExtent = 115,
};
constexpr const char* kSection = "Misc";
constexpr double kDefaultHorizontalExtent = 360.0;
constexpr double kDefaultVerticalExtent = 240.0;

void Write(const char* key, const CString& value, int line)
{
  if (!AfxGetApp()->WriteProfileString(kSection, key, value))
    throw CAppFatalException(kModule, line);
}

CString TextOf(const CAssocIntAndString& table, int code, int fallbackCode)
{
  CString text;
  if (!table.Lookup(code, text))
    table.Lookup(fallbackCode, text);
  return text;
}

double Clamp(double value, double low, double high, double fallback)
{
  if (!(value > 0))
    return fallback;
  return value < low ? low : (value > high ? high : value);
}

}  // namespace

IMPLEMENT_DYNAMIC(CMiscPrefs, CObject)

CMiscPrefs::CMiscPrefs() { PCTRACE(TT_PREFERENCES, TL_DETAIL)("CMiscPrefs construction \n"); }

CMiscPrefs::~CMiscPrefs() { PCTRACE(TT_PREFERENCES, TL_DETAIL)("CMiscPrefs destruction \n"); }

void CMiscPrefs::SetWorkbenchHorizontalExtentInInches(double x)
{
  m_dWorkbenchHorizontalExtent = Clamp(x, 120.0, 1440.0, kDefaultHorizontalExtent);
}

void CMiscPrefs::SetWorkbenchVerticalExtentInInches(double y)
{
  m_dWorkbenchVerticalExtent = Clamp(y, 72.0, 1440.0, kDefaultVerticalExtent);
}

BOOL CMiscPrefs::ParseMainWindowRect(CString text, int screenWidth, int screenHeight, CRect* rect)
{
  int numbers[4];
  for (int& number : numbers) {
    number = TakeDigitRun(text);
    if (number < 0)
      return FALSE;
    text = text.Mid(1);
  }
  CRect r(numbers[0], numbers[1], numbers[2], numbers[3]);
  // A rectangle turned inside out would make a window that cannot be seen or grabbed.
  if (r.right <= r.left || r.bottom <= r.top || r.right >= screenWidth || r.bottom >= screenHeight)
    return FALSE;
  *rect = r;
  return TRUE;
}

void CMiscPrefs::Load()
{
  CWinApp* app = AfxGetApp();
  CString text = app->GetProfileString(kSection, "MainWindowRect");
  if (!text.IsEmpty()) {
    CSize screen = CDC::GetScreenSize();
    ParseMainWindowRect(text, screen.cx, screen.cy, &m_rectMainWindow);
  }
  int code = 0;
  if (CAssocMeasurementUnitsAndDescription().LookupCodeNoCase(app->GetProfileString(kSection, "MeasurementUnits"),
                                                              code))
    m_nMeasurementUnits = code;
  if (CAssocDXFTranslationUnitAndDescription().LookupCodeNoCase(app->GetProfileString(kSection, "DXFTranslationUnit"),
                                                                code))
    m_nDXFTranslationUnit = code;
  CUnitsConverter converter;
  double x = 0;
  if (!converter.ParseLength(CUnitsConverter::fractionalInches,
                             app->GetProfileString(kSection, "WorkbenchHorizontalExtentInInches"), &x))
    x = kDefaultHorizontalExtent;
  SetWorkbenchHorizontalExtentInInches(x);
  double y = 0;
  if (!converter.ParseLength(CUnitsConverter::fractionalInches,
                             app->GetProfileString(kSection, "WorkbenchVerticalExtentInInches"), &y))
    y = kDefaultVerticalExtent;
  SetWorkbenchVerticalExtentInInches(y);
}

void CMiscPrefs::Save()
{
  const CRect& r = m_rectMainWindow;
  Write("MainWindowRect", CString::Formatted("%d,%d,%d,%d", r.left, r.top, r.right, r.bottom),
        kLineWriteMainWindowRect);
  Write("MeasurementUnits", TextOf(CAssocMeasurementUnitsAndDescription(), m_nMeasurementUnits, 0),
        kLineWriteMeasurementUnits);
  Write("DXFTranslationUnit", TextOf(CAssocDXFTranslationUnitAndDescription(), m_nDXFTranslationUnit, 0),
        kLineWriteDXFTranslationUnit);
  CUnitsConverter converter;
  Write("WorkbenchHorizontalExtentInInches",
        converter.FormatLength(CUnitsConverter::fractionalInches, m_dWorkbenchHorizontalExtent),
        kLineWriteHorizontalExtent);
  Write("WorkbenchVerticalExtentInInches",
        converter.FormatLength(CUnitsConverter::fractionalInches, m_dWorkbenchVerticalExtent),
        kLineWriteVerticalExtent);
}
