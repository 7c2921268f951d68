#pragma once
// Printing: the print information a view's print loop works with, and the print dialog (the
// system's choice of printer and pages, or a dialog of the program's own template that can add
// controls such as a scale list).
#include <memory>

#include <QList>

#include "ui/dlg/Dialog.h"

class QPrinter;
class QPainter;
class CDC;

enum : DWORD
{
  PD_ALLPAGES = 0x00000000,
  PD_NOSELECTION = 0x00000004,
  PD_NOPAGENUMS = 0x00000008,
  PD_COLLATE = 0x00000010,
  PD_PRINTTOFILE = 0x00000020,
  PD_PRINTSETUP = 0x00000040,
  PD_USEDEVMODECOPIES = 0x00040000,
  PD_ENABLEPRINTTEMPLATE = 0x00004000
};

struct PRINTDLG
{
  DWORD Flags = 0;
  WORD nFromPage = 1;
  WORD nToPage = 0xFFFF;
  WORD nMinPage = 1;
  WORD nMaxPage = 0xFFFF;
  WORD nCopies = 1;
  UINT nPrintTemplateId = 0;  // with PD_ENABLEPRINTTEMPLATE: the dialog template to show
};

class CPrintDialog : public CDialog
{
  DECLARE_DYNAMIC(CPrintDialog)
  DECLARE_MESSAGE_MAP()
public:
  explicit CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION,
                        CWnd* pParentWnd = nullptr);
  // The system dialog through the dialog service, or the template when one is enabled.
  int DoModal() override;
  QPrinter* GetPrinter() const;
  int GetFromPage() const { return m_pd.nFromPage; }
  int GetToPage() const { return m_pd.nToPage; }
  int GetCopies() const { return m_pd.nCopies; }
  BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
  BOOL PrintSetupOnly() const { return m_bPrintSetupOnly; }

  // The most copies a print asks for, as printers' own dialogs allow.
  static constexpr int kMaxCopies = 999;

  PRINTDLG m_pd;
  // The PDF file the system's dialog named (and asked about replacing) for a PDF printer; empty
  // when no dialog named one.
  CString m_strOutputFile;

  // Whether the pages go to a file: no printer (the printer writes PDF) or "Print to File" ticked.
  BOOL PrintsToFile() const;

protected:
  // A template's copies field and collate box (when it has them) show and take the copies.
  void DoDataExchange(CDataExchange* pDX) override;
  // A template's quality list shows the printer's resolutions (hidden when it has none).
  BOOL OnInitDialog() override;
  // Takes the template's "Print to File" box and the chosen quality once the copies pass.
  void OnOK() override;
  // The template's "Setup..." button (id 1024) asks for paper, orientation and margins.
  void OnPrinterSetup();
  // After the system's dialog: the copies and collation it set on the printer.
  void TakePrinterCopies();

  BOOL m_bPrintSetupOnly;
};

constexpr UINT ID_PRINT_SETUP_BUTTON = 1024;
// The print templates' "Print to File" box, quality label and quality list.
constexpr UINT ID_PRINT_TO_FILE_BOX = 1040;
constexpr UINT ID_PRINT_QUALITY_LABEL = 1091;
constexpr UINT ID_PRINT_QUALITY_LIST = 1136;
// The print templates' copies field and "Collate Copies" box.
constexpr UINT ID_PRINT_COPIES_EDIT = 1154;
constexpr UINT ID_PRINT_COLLATE_BOX = 1041;

class CPrintInfo
{
public:
  CPrintInfo();
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
  void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
  UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
  UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
  UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
  UINT GetToPage() const { return m_pPD->m_pd.nToPage; }

  // Owned: a view may replace it by a dialog of its own (delete the old one first).
  CPrintDialog* m_pPD;
  BOOL m_bPreview = FALSE;
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;
  CString m_strPageDesc;
  CRect m_rectDraw;
};

// The resolutions a print dialog's quality list offers for the printer, lowest first: those it
// lists and the one it prints at; none when it lists none.
QList<int> QualityResolutions(const QPrinter& printer);

// Makes pDC draw on a printer through the painter (internal use of the print loops).
void AttachPrinter(CDC& dc, QPainter& painter, QPrinter& printer);
