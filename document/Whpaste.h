#pragma once
// The name dialog of a paste whose design name is already in use: asks for another name and
// refuses an empty one.
#include "ui/dlg/Dialog.h"

class CPasteDesignDlg : public CDialog
{
  DECLARE_DYNAMIC(CPasteDesignDlg)
public:
  static constexpr int kMaxNameLength = 50;

  CPasteDesignDlg(const CString& caption, const CString& name, CWnd* pParent = nullptr);

  CString m_strName;

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

private:
  CString m_strCaption;
};

// The warehouse form, the paste dialog and the design list's strings.
void RegisterWarehouseResources();
