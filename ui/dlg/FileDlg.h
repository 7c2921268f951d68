#pragma once
// The open and save-as dialogs, asked through the dialog service.
#include "ui/dlg/DialogService.h"

class CWnd;

enum : DWORD
{
  OFN_OVERWRITEPROMPT = 0x00000002,
  OFN_HIDEREADONLY = 0x00000004,
  OFN_NOCHANGEDIR = 0x00000008,
  OFN_PATHMUSTEXIST = 0x00000800,
  OFN_FILEMUSTEXIST = 0x00001000
};

class CFileDialog
{
public:
  CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
              DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
              CWnd* pParentWnd = nullptr);
  virtual ~CFileDialog() = default;

  // IDOK or IDCANCEL.
  virtual int DoModal();
  CString GetPathName() const { return m_request.path; }
  CString GetFileName() const;
  CString GetFileExt() const;

  struct
  {
    int nFilterIndex = 1;
    CString lpstrTitle;
  } m_ofn;

private:
  CFileDialogRequest m_request;
  CWnd* m_pParentWnd;
};
