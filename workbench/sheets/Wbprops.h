#pragma once
// "Workbench Properties": automatic joining, joining markers, the order in which joining types
// are attempted, and the two alignment settings of one Workbench view. Also the "Alignment
// Lines" dialog, which sets the alignment settings alone.
#include "platform/core/Array.h"
#include "ui/dlg/PropSheet.h"
#include "ui/dlg/RetSheet.h"

class CWorkbenchView;

constexpr UINT IDS_WORKBENCH_PROPERTIES = 2101;
constexpr UINT IDD_WORKBENCH_JOINING = 2102;
constexpr UINT IDD_WORKBENCH_ALIGNMENT = 2103;
constexpr UINT IDC_AUTO_JOIN = 2115;
constexpr UINT IDC_JOIN_MARKERS = 2117;
constexpr UINT IDC_MOVE_UP = 2118;
constexpr UINT IDC_MOVE_DOWN = 2119;
constexpr UINT IDC_JOINING_ORDER = 2120;
constexpr UINT IDC_PAGE_SHOW_LINES = 2111;
constexpr UINT IDC_PAGE_HIDE_LINES = 2112;
constexpr UINT IDC_PAGE_SNAP_LINES = 2113;
constexpr UINT IDC_PAGE_NO_SNAP = 2114;
constexpr UINT IDD_ALIGNMENT_LINES = 305;
constexpr UINT IDC_SHOW_LINES = 2104;
constexpr UINT IDC_HIDE_LINES = 2105;
constexpr UINT IDC_SNAP_LINES = 2106;
constexpr UINT IDC_NO_SNAP = 2107;
constexpr UINT IDC_ALIGNMENT_APPLY = 5045;

// Registers the dialogs and the caption string.
void RegisterWorkbenchPropertiesResources();

class CWorkbenchJoiningPage : public CPropertyPage
{
  DECLARE_DYNCREATE(CWorkbenchJoiningPage)
  DECLARE_MESSAGE_MAP()
public:
  CWorkbenchJoiningPage();

  CDWordArray m_Order;
  int m_bAutoJoin = 1;
  int m_bMarkers = 1;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnApply() override;
  void OnSelChange();
  void OnMoveUp();
  void OnMoveDown();
  void OnCheckClicked();

private:
  CListBox* List() const;
  void FillList();
  void UpdateButtons();
  void MoveSelected(int by);
};

class CWorkbenchAlignmentPage : public CPropertyPage
{
  DECLARE_DYNCREATE(CWorkbenchAlignmentPage)
  DECLARE_MESSAGE_MAP()
public:
  CWorkbenchAlignmentPage();

  int m_nShowChoice = -1;
  int m_nSnapChoice = -1;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnRadioClicked();
};

class CWorkbenchPropertiesDlg : public CRetainedPropertySheet
{
  DECLARE_DYNAMIC(CWorkbenchPropertiesDlg)
public:
  explicit CWorkbenchPropertiesDlg(CWorkbenchView* pView);

  CString GetRetainedPageTitle() override;
  void SetRetainedPageTitle(const CString& title) override;
  void OnOK() override;

  CWorkbenchJoiningPage m_JoiningPage;
  CWorkbenchAlignmentPage m_AlignmentPage;

protected:
  void OnApplyNow() override;

private:
  CWorkbenchView* m_pView;
};

class CAlignmentLinesDlg : public CDialog
{
  DECLARE_DYNAMIC(CAlignmentLinesDlg)
  DECLARE_MESSAGE_MAP()
public:
  explicit CAlignmentLinesDlg(CWorkbenchView* pView);

  BOOL OnInitDialog() override;
  void OnOK() override;
  int GetShowMode() const { return m_nShowMode; }
  int GetSnapMode() const { return m_nSnapMode; }

protected:
  void OnShowClicked();
  void OnSnapClicked();
  void OnApply();

private:
  int CheckedOf(UINT first, UINT second, int line) const;

  CWorkbenchView* m_pView;
  int m_nShowMode = 0;
  int m_nSnapMode = 0;
};
