#pragma once
// The settings that belong to one project and travel in its file: default option choices per
// unit type, the plan view's wall and symbol settings, and three view toggles.
#include "project/Optbytyp.h"

class CWorkbenchPrefs : public CObject
{
  DECLARE_DYNAMIC(CWorkbenchPrefs)
public:
  // Its version stamp only.
  void Serialize(CArchive& ar) override;
};

class COptionsPrefs : public CObject
{
  DECLARE_DYNAMIC(COptionsPrefs)
public:
  COptionChoicesByTypeArray& GetChoicesArray() { return m_choicesArray; }
  CCurrentOptionChoices& GetChoicesByType(const CString& unitType) { return m_choicesArray.GetChoicesByType(unitType); }
  // Stamp, then the option-choices array.
  void Serialize(CArchive& ar) override;

private:
  COptionChoicesByTypeArray m_choicesArray;
};

// Not stored in the project file.
class CMiscProjectPrefs : public CObject
{
  DECLARE_DYNAMIC(CMiscProjectPrefs)
public:
  CMiscProjectPrefs();
  int GetMeasurementUnits() const { return m_nMeasurementUnits; }
  void SetMeasurementUnits(int units) { m_nMeasurementUnits = units; }

private:
  int m_nMeasurementUnits;
};

class CProjectPrefs : public CObject
{
  DECLARE_DYNAMIC(CProjectPrefs)
public:
  CProjectPrefs() = default;

  // Defaults of a new project; the option preferences keep what construction gave them.
  void SetDefaults();

  COptionsPrefs& GetOptionsPrefs() { return m_optionsPrefs; }
  CMiscProjectPrefs& GetMiscProjectPrefs() { return m_miscPrefs; }
  double GetWallWidth() const { return m_dWallWidth; }
  void SetWallWidth(double width) { m_dWallWidth = width; }
  double GetExteriorOffset() const { return m_dExteriorOffset; }
  void SetExteriorOffset(double offset) { m_dExteriorOffset = offset; }
  int GetSymbolPlacement() const { return m_nSymbolPlacement; }
  void SetSymbolPlacement(int placement) { m_nSymbolPlacement = placement; }
  BOOL GetShowInstallationFlange() const { return m_bShowInstallationFlange; }
  BOOL GetShowGrilles() const { return m_bShowGrilles; }
  void SetShowGrilles(BOOL show) { m_bShowGrilles = show; }
  BOOL GetShowOperation() const { return m_bShowOperation; }
  void SetShowOperation(BOOL show) { m_bShowOperation = show; }

  // Stamp, Workbench and option preferences, wall width, exterior offset, symbol placement, and
  // the three toggles as one byte each.
  void Serialize(CArchive& ar) override;

private:
  CWorkbenchPrefs m_workbenchPrefs;
  COptionsPrefs m_optionsPrefs;
  CMiscProjectPrefs m_miscPrefs;
  double m_dWallWidth = 12.0;
  double m_dExteriorOffset = 0.0;
  int m_nSymbolPlacement = 0;
  BOOL m_bShowInstallationFlange = TRUE;
  BOOL m_bShowGrilles = FALSE;
  BOOL m_bShowOperation = FALSE;
};
