#pragma once
// The small modal dialogs that other parts open for one question each: the resizing thresholds,
// a name for an unnamed design, a new name for a design, the product database of an opened
// project, and the project information.
#include "ui/dlg/Ctrls.h"
#include "ui/dlg/Dialog.h"

class CDoc;
class CDocVersion;

class CPerformanceTuningDlg : public CDialog
{
  DECLARE_DYNAMIC(CPerformanceTuningDlg)
public:
  explicit CPerformanceTuningDlg(CWnd* pParent = nullptr);

  double m_dResizeDistanceThreshold = 0.0;
  int m_nResizeTimeThreshold = 0;

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
};

class CStoreNewDesignDlg : public CDialog
{
  DECLARE_DYNAMIC(CStoreNewDesignDlg)
public:
  CStoreNewDesignDlg(const CString& designName, BOOL bCancelAllowed, CWnd* pParent = nullptr);

  CButton m_btnCancel;
  CString m_strDesignName;
  BOOL m_bCancelAllowed;

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};

class CRenameDesignDlg : public CDialog
{
  DECLARE_DYNAMIC(CRenameDesignDlg)
public:
  explicit CRenameDesignDlg(CWnd* pParent = nullptr);

  CString m_strCurrentName;
  CString m_strNewName;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};

class CDbVersionDlg : public CDialog
{
  DECLARE_DYNAMIC(CDbVersionDlg)
public:
  CDbVersionDlg(const CDocVersion& projectVersion, CWnd* pParent = nullptr);

  CString m_strProjectDataVersion;
  CString m_strProjectSpecificationVersion;
  CString m_strProjectDatePopulated;
  CString m_strAppDataVersion;
  CString m_strAppSpecificationVersion;
  CString m_strAppDatePopulated;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

class CProjectInfoDlg : public CDialog
{
  DECLARE_DYNAMIC(CProjectInfoDlg)
public:
  // Reads and writes the given project (the active one).
  CProjectInfoDlg(CDoc* pDoc, CWnd* pParent = nullptr);

  CString m_strProjectName;
  CString m_strDesigner;
  CString m_strCreated;
  CString m_strModified;
  CString m_strNotes;

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

private:
  CDoc* m_pDoc;
};

// The message the two naming dialogs show for a blank name, captioned "Error".
void ShowBlankNameMessage(CWnd* pOwner, const char* text);

// The dialogs as the project document asks for them (owned by the main window).
void ShowDbVersionDialog(const CDocVersion& projectVersion);
// "Store New Design" proposing the name; TRUE with the name typed after Store.
BOOL AskNewDesignName(CString& name, BOOL bAllowCancel);
