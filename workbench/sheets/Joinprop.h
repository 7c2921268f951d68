#pragma once
// "Join Properties": one page, "Joining Type", that lists the join types the joining table allows
// for the two joined components and how the units move when the new type's spacing differs.
// Apply and OK give the join its new type, make the other joins between the same two units
// follow, and move the units to the new spacing.
#include "ui/dlg/PropSheet.h"
#include "ui/dlg/RetSheet.h"

class CJoinItem;
class CWorkbenchView;

constexpr UINT IDS_JOIN_PROPERTIES = 5017;
constexpr UINT IDD_JOINING_TYPE = 2802;
constexpr UINT IDC_JOINING_TYPES = 2801;
constexpr UINT IDC_MOVE_LABELLED_UNIT = 5063;
constexpr UINT IDC_MOVE_OTHER_UNIT = 5064;
constexpr UINT IDC_MOVE_BOTH_UNITS = 5065;

// What the page shows and changes.
struct CJoinData
{
  CString description;
  int firstID = 0;
  int secondID = 0;
  int joinTypeID = 0;
  // 0 the unit with the label moves, 1 the other, 2 both.
  int mode = 0;
};

class CJoinPropertyPage : public CPropertyPage
{
  DECLARE_DYNAMIC(CJoinPropertyPage)
  DECLARE_MESSAGE_MAP()
public:
  explicit CJoinPropertyPage(CJoinData* pData);

  void OnOK() override;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnSelChange();

private:
  void FillJoinTypes(CListBox& list, int id, int otherId);

  CString m_strDescription;
  int m_nMode = 0;
  CJoinData* m_pData;
};

class CJoinPropertiesDlg : public CRetainedPropertySheet
{
  DECLARE_DYNAMIC(CJoinPropertiesDlg)
public:
  CJoinPropertiesDlg(CWorkbenchView* pView, CJoinItem* pJoinItem, CWnd* pParentWnd);
  ~CJoinPropertiesDlg() override;

  CString GetRetainedPageTitle() override;
  void SetRetainedPageTitle(const CString& title) override;
  void OnApplyNow() override;
  void OnOK() override;

private:
  // The active page takes its data and applies it; FALSE when it refuses to be left.
  BOOL TakePage();
  void Apply();

  CWorkbenchView* m_pView;
  CJoinItem* m_pJoinItem;
  CJoinData m_Current;
  CJoinData m_Applied;
  CJoinPropertyPage* m_pPage;
};

// The page's dialog and the sheet's caption.
void RegisterJoinPropertiesResources();
