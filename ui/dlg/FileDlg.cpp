#include "ui/dlg/FileDlg.h"

#include "ui/dlg/FilePrompt.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
  : m_pParentWnd(pParentWnd)
{
  m_request.bOpen = bOpenFileDialog;
  m_request.defaultExt = lpszDefExt;
  m_request.fileName = lpszFileName;
  m_request.flags = dwFlags;
  m_request.filter = lpszFilter;
}

int CFileDialog::DoModal()
{
  m_request.filterIndex = m_ofn.nFilterIndex;
  m_request.title = m_ofn.lpstrTitle;
  const int result = PromptForFile(m_pParentWnd, m_request);
  if (result == IDOK)
    m_ofn.nFilterIndex = m_request.filterIndex;
  return result;
}

CString CFileDialog::GetFileName() const
{
  const int slash = m_request.path.ReverseFind('/');
  return m_request.path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
  const CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}
