#pragma once
// Every preference that belongs to the installation rather than to a project. Loaded once at
// start-up and saved once at exit; in between only memory changes.
#include "app/Defopts.h"
#include "app/Dxfcfg.h"
#include "app/Gdicfg.h"
#include "app/Miscprf.h"
#include "app/Plancfg.h"
#include "app/Userinfo.h"

class CAppPrefs : public CObject
{
  DECLARE_DYNAMIC(CAppPrefs)
public:
  CAppPrefs() = default;
  CAppPrefs(const CAppPrefs&) = delete;
  CAppPrefs& operator=(const CAppPrefs&) = delete;

  CUserLicenseInfo* GetUserLicenseInfo() { return &m_userLicenseInfo; }
  CPlanSectionViewConfig* GetPlanSectionViewConfig() { return &m_planSectionViewConfig; }
  CExportToDXFConfig* GetExportToDXFConfig() { return &m_exportToDXFConfig; }
  CExportToGDIConfig* GetExportToGDIConfig() { return &m_exportToGDIConfig; }
  CAppDefaultOptionChoices* GetAppDefaultOptionChoices() { return &m_appDefaultOptionChoices; }
  CMiscPrefs* GetMiscPrefs() { return &m_miscPrefs; }

  // Reads the whole profile, with the recent-file list of four entries; always TRUE. Exceptions
  // of the parts (the product database's among them) pass to the caller.
  BOOL Load();
  // FALSE, writing nothing, when Load has not run, so a run that failed before loading never
  // overwrites the profile with defaults. A failed write throws CAppFatalException.
  BOOL Save();

private:
  void TakeAsRead();
  CUserLicenseInfo m_userLicenseInfo;
  CPlanSectionViewConfig m_planSectionViewConfig;
  CExportToDXFConfig m_exportToDXFConfig;
  CExportToGDIConfig m_exportToGDIConfig;
  CAppDefaultOptionChoices m_appDefaultOptionChoices;
  CMiscPrefs m_miscPrefs;
  BOOL m_bLoaded = FALSE;
};
