#include "app/Appprefs.h"

#include "platform/core/Exception.h"
#include "platform/core/Profile.h"
#include "ui/wnd/WinApp.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CAppPrefs, CObject)

BOOL CAppPrefs::Load()
{
  PCTRACE(TT_PREFERENCES, TL_IMPORTANT)("CAppPrefs - Loading preferences \n");
  AfxGetApp()->LoadStdProfileSettings(4);
  m_userLicenseInfo.Load();
  m_planSectionViewConfig.Load();
  m_miscPrefs.Load();
  m_exportToDXFConfig.Load();
  m_exportToGDIConfig.Load();
  m_appDefaultOptionChoices.Load();
  m_bLoaded = TRUE;
  TakeAsRead();
  return TRUE;
}

// A setting the profile lacks is taken at its default: written back unchanged at exit it leaves
// what another instance wrote there meanwhile.
void CAppPrefs::TakeAsRead()
{
  CWinApp* app = AfxGetApp();
  const CProfile::CAsRead asRead(app->GetProfile());
  try {
    app->SaveStdProfileSettings();
    Save();
  } catch (const CException&) {
    // A profile that cannot take them cannot store them at exit either.
  }
}

BOOL CAppPrefs::Save()
{
  PCTRACE(TT_PREFERENCES, TL_IMPORTANT)("CAppPrefs - Saving preferences \n");
  if (!m_bLoaded)
    return FALSE;
  m_userLicenseInfo.Save();
  m_planSectionViewConfig.Save();
  m_miscPrefs.Save();
  m_exportToDXFConfig.Save();
  m_exportToGDIConfig.Save();
  m_appDefaultOptionChoices.Save();
  return TRUE;
}
