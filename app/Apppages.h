#pragma once
// The pages of the application settings sheet: user information, plan-view switches and units.
// Each page takes its values from the preferences when it is built, so a page never shown
// writes back what it read.
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/PropSheet.h"

class CAppPrefs;

class CUserInfoDlg : public CPropertyPage
{
  DECLARE_DYNAMIC(CUserInfoDlg)
  DECLARE_MESSAGE_MAP()
public:
  explicit CUserInfoDlg(CAppPrefs& prefs);
  void WriteTo(CAppPrefs& prefs) const;

  CString m_strAddress;
  CString m_strCity;
  CString m_strCompany;
  CString m_strContact;
  CString m_strState;
  CString m_strZipCode;

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnFieldChanged();

private:
  // The fields are filled before the user can change them; only the user's changes count.
  BOOL m_bInitialized = FALSE;
};

class CPlanConfigDlg : public CPropertyPage
{
  DECLARE_DYNAMIC(CPlanConfigDlg)
  DECLARE_MESSAGE_MAP()
public:
  explicit CPlanConfigDlg(CAppPrefs& prefs);
  void WriteTo(CAppPrefs& prefs) const;

  BOOL m_bSillLinesOn;
  BOOL m_bFullFrameWidthOn;
  BOOL m_bFrameOn;
  BOOL m_bFrameLinesOn;
  int m_nGlassLines;

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnShowFrames();
  void OnSwitchClicked();

private:
  void EnableFrameSwitches();
};

class CMiscInfoDlg : public CPropertyPage
{
  DECLARE_DYNAMIC(CMiscInfoDlg)
  DECLARE_MESSAGE_MAP()
public:
  explicit CMiscInfoDlg(CAppPrefs& prefs);
  void WriteTo(CAppPrefs& prefs) const;

  CString m_strMeasurementUnits;
  CString m_strDXFUnits;

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnMeasurementUnitsChanged();
  void OnDXFUnitsChanged();

private:
  CComboBox m_cbMeasurementUnits;
  CComboBox m_cbDXFUnits;
};
