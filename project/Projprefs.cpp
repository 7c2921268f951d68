#include "project/Projprefs.h"

#include "platform/core/Archive.h"
#include "project/DocServices.h"
#include "project/Stamp.h"

IMPLEMENT_DYNAMIC(CWorkbenchPrefs, CObject)
IMPLEMENT_DYNAMIC(COptionsPrefs, CObject)
IMPLEMENT_DYNAMIC(CMiscProjectPrefs, CObject)
IMPLEMENT_DYNAMIC(CProjectPrefs, CObject)

void CWorkbenchPrefs::Serialize(CArchive& ar) { SerializeVersionStamp(ar); }

void COptionsPrefs::Serialize(CArchive& ar)
{
  SerializeVersionStamp(ar);
  m_choicesArray.Serialize(ar);
}

CMiscProjectPrefs::CMiscProjectPrefs() : m_nMeasurementUnits(GetDocServices().GetMeasurementUnits()) {}

void CProjectPrefs::SetDefaults()
{
  m_dWallWidth = 12.0;
  m_dExteriorOffset = 0.0;
  m_nSymbolPlacement = 0;
  m_bShowInstallationFlange = TRUE;
  m_bShowGrilles = FALSE;
  m_bShowOperation = FALSE;
  m_miscPrefs.SetMeasurementUnits(GetDocServices().GetMeasurementUnits());
}

void CProjectPrefs::Serialize(CArchive& ar)
{
  SerializeVersionStamp(ar);
  m_workbenchPrefs.Serialize(ar);
  m_optionsPrefs.Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_dWallWidth << m_dExteriorOffset << static_cast<LONG>(m_nSymbolPlacement);
    // A toggle keeps any byte value it was read with (2 is written back as 2).
    ar << static_cast<BYTE>(m_bShowInstallationFlange) << static_cast<BYTE>(m_bShowGrilles)
       << static_cast<BYTE>(m_bShowOperation);
    return;
  }
  LONG placement = 0;
  BYTE flange = 0, grilles = 0, operation = 0;
  ar >> m_dWallWidth >> m_dExteriorOffset >> placement >> flange >> grilles >> operation;
  m_nSymbolPlacement = placement;
  m_bShowInstallationFlange = flange;
  m_bShowGrilles = grilles;
  m_bShowOperation = operation;
}
