#pragma once
// The report windows: an adorned child frame with the report commands on its dialog bar and one
// report view. The project document tells the two reports apart by the frame's report kind.
#include "document/Docviews.h"
#include "views/Adorned.h"

// The report windows' dialog bar and its commands.
constexpr UINT IDD_REPORT_BAR = 3102;
constexpr UINT ID_REPORT_CLOSE = 3104;

class CReportFrame : public CDlgAdornedFrame, public CReportKindSource, public CReactivationFlag
{
  DECLARE_DYNAMIC(CReportFrame)
  DECLARE_MESSAGE_MAP()
public:
  enum
  {
    scheduleReport = 0,
    unitInfoReport = 1
  };

  CReportFrame(const CString& caption, UINT nDialogBarID, int reportKind);
  ~CReportFrame() override;

  int GetReportType() const { return m_nReportType; }
  int GetReportKind() const override { return m_nReportType; }
  // Whether the window comes back when its project's design list shows the project again.
  BOOL GetVisibleOnReactivation() const override { return m_bShowWithProject; }
  void SetVisibleOnReactivation(BOOL bShow) override { m_bShowWithProject = bShow; }

  // The caption for a title prefix and the project's title.
  static CString ComposeReportCaption(const CString& prefix, const CString& projectTitle);
  // Widens a new report window, when needed, so that every button of its bar shows.
  void SetInitialPosition() override;

protected:
  // Closes the report window alone, as its close box does.
  void OnReportClose();
  void UpdateReportTitle(BOOL bAddToTitle, const char* prefix);

  BOOL m_bShowWithProject = TRUE;
  int m_nReportType;
};

class CScheduleReportFrame : public CReportFrame
{
  DECLARE_DYNCREATE(CScheduleReportFrame)
public:
  CScheduleReportFrame();
  ~CScheduleReportFrame() override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
};

class CUnitInfoReportFrame : public CReportFrame
{
  DECLARE_DYNCREATE(CUnitInfoReportFrame)
public:
  CUnitInfoReportFrame();
  ~CUnitInfoReportFrame() override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
};

// The report windows' dialog bar template.
void RegisterReportBars();
