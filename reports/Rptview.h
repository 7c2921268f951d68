#pragma once
// The views of the report windows: the report of the view's project as lines of fixed-pitch text
// in a scrolling window, laid out for the screen (one header, no page breaks) or for the printer
// page; printed and previewed page by page, copied as text and exported as text or CSV. Each view
// keeps its own rows and names: the application's generator is bound afresh for every use.
#include <functional>
#include <memory>

#include "ui/docview/View.h"
#include "ui/draw/Gdi.h"
#include "reports/Rptcont.h"

class CCmdUI;
class CException;

// Commands of the report windows.
constexpr UINT ID_REPORT_INSERT = 5062;
constexpr UINT ID_REPORT_EXPORT = 2903;
constexpr UINT ID_REPORT_PRINT = 3103;
constexpr UINT ID_REPORT_COPY = 3001;
constexpr UINT ID_REPORT_UPDATE = 3108;

class CReportView : public CScrollView
{
  DECLARE_DYNAMIC(CReportView)
  DECLARE_MESSAGE_MAP()
public:
  CReportView();
  ~CReportView() override;

  // Takes the rows afresh from the project and lays them out on 60-line pages, showing the
  // progress of a long run. FALSE when the user cancelled it: the report is then as before.
  virtual BOOL GenerateReport();
  // The application's generator of this view's report; null without an application.
  virtual CReportGenerator* GetGenerator() const = 0;
  // Selects the report font into the device context (shrunk on a printer until a line fits the
  // page) and lays the report out for the device when the last layout was for the other kind.
  virtual void SelectReportFont(CDC* pDC);

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

  // The report as the view keeps it; null before the first generation.
  const CReportContent* GetContent() const { return m_pContent.get(); }
  const CStringArray* GetReportLines() const { return m_pContent ? &m_pContent->GetLines() : nullptr; }
  BOOL IsLaidOutForPrinter() const { return m_bLaidOutForPrinter; }
  // Whether the user cancelled the report as it was first made; the window is then not opened.
  BOOL WasCancelled() const { return m_bCancelled; }
  // Why the report could not be made (a catalogue that cannot be read); empty when it was.
  const CString& GetFailure() const { return m_strFailure; }
  // The text the copy command puts on the clipboard: every line and a line end, then a zero.
  std::string GetClipboardBytes() const;

  // The export filters; the chosen one decides the form, whatever the name's extension.
  static constexpr const char* kExportFilter = "Comma Separated Value Files (*.csv)|*.csv|Text Files (*.txt)|*.txt||";

protected:
  // The arrows scroll a line or a character, Page Up and Page Down a window's height of whole
  // lines, Home and End to the report's top and bottom.
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnReportInsert() {}
  void OnUpdateReportInsert(CCmdUI* pCmdUI);
  void OnReportExport();
  void OnReportCopy();
  void OnReportUpdate();
  void OnReportPrint();
  void OnReportPrintPreview();

  void ExportCSV(const CString& path);
  void ExportText(const CString& path);
  // Runs a write of the file at the path; a file error is told with the file and its reason.
  void TellFileFailure(const CString& path, const std::function<void()>& write);
  // The message box of a command's failure, under the product name.
  void TellFailure(const CString& text);
  // Runs a command's work; every failure but an internal fatal one is told in a message box.
  void RunCommand(const char* what, void (CReportView::*work)());
  // Makes the report and tells a failure, which the window then shows in place of the report.
  void MakeReport(BOOL bFirst);
  // FALSE, after telling again why, when there is no report to give out.
  BOOL HasReport();
  void DoExport();
  void DoPrint() { OnFilePrint(); }
  void DoPrintPreview() { OnFilePrintPreview(); }
  void ReleaseReportFont(CDC* pDC);
  // Narrows the lines [first, end), drawn one line height apart with line `top` at the top, to
  // those that reach into the device context's clip box: a paint draws only what it shows.
  static void KeepToClip(CDC* pDC, int lineHeight, int top, int& first, int& end);
  int GetMeasurementUnits() const;
  CReportContent* Content();

  std::unique_ptr<CReportContent> m_pContent;
  BOOL m_bLaidOut = FALSE;
  BOOL m_bCancelled = FALSE;
  CString m_strFailure;
  BOOL m_bLaidOutForPrinter = FALSE;
  int m_nLaidOutUnits = -1;
  double m_dFontSize = 10.0;
  // A line's height and a character's width on the screen, as the report was last laid out there.
  int m_nLineHeight = 1;
  int m_nCharWidth = 1;
  int m_nPageBeingPrinted = 0;
  CString m_strFontFace = "Courier New";
  CFont m_reportFont;
  CFont* m_pPreviousFont = nullptr;
  CString m_strLineEnd = "\r\n";
};

class CScheduleReportView : public CReportView
{
  DECLARE_DYNCREATE(CScheduleReportView)
public:
  CReportGenerator* GetGenerator() const override;
  void OnInitialUpdate() override;
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
};

class CUnitInfoReportView : public CReportView
{
  DECLARE_DYNCREATE(CUnitInfoReportView)
public:
  CReportGenerator* GetGenerator() const override;
  void OnInitialUpdate() override;
};
