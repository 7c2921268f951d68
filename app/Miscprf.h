#pragma once
// Preferences of the profile section "Misc": the main window's place, the measurement and DXF
// units and the size of the Workbench's drawing surface.
#include "platform/core/Object.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"

class CMiscPrefs : public CObject
{
  DECLARE_DYNAMIC(CMiscPrefs)
public:
  CMiscPrefs();
  ~CMiscPrefs() override;

  int GetDXFTranslationUnit() const { return m_nDXFTranslationUnit; }
  void SetDXFTranslationUnit(int unit) { m_nDXFTranslationUnit = unit; }
  void GetMainWindowRect(CRect& rect) const { rect = m_rectMainWindow; }
  void SetMainWindowRect(const CRect& rect) { m_rectMainWindow = rect; }
  int GetMeasurementUnits() const { return m_nMeasurementUnits; }
  void SetMeasurementUnits(int units) { m_nMeasurementUnits = units; }
  double GetWorkbenchHorizontalExtentInInches() const { return m_dWorkbenchHorizontalExtent; }
  // Not above 0 gives 360; clamped to 120..1440.
  void SetWorkbenchHorizontalExtentInInches(double x);
  double GetWorkbenchVerticalExtentInInches() const { return m_dWorkbenchVerticalExtent; }
  // Not above 0 gives 240; clamped to 72..1440.
  void SetWorkbenchVerticalExtentInInches(double y);

  void Load();
  // Throws CAppFatalException at the first write that fails; nothing after it is written.
  void Save();

  // Four runs of digits, each of the first three followed by any one character, taken only as a
  // proper rectangle (right > left, bottom > top) with every corner on a screen of that size.
  static BOOL ParseMainWindowRect(CString text, int screenWidth, int screenHeight, CRect* rect);

private:
  int m_nDXFTranslationUnit = 0;
  CRect m_rectMainWindow;
  int m_nMeasurementUnits = 0;
  double m_dWorkbenchHorizontalExtent = 360.0;
  double m_dWorkbenchVerticalExtent = 240.0;
};
