#pragma once
// Stand-ins for the frames of the three drawing views and for the two reports of a project, until
// the drawings and reports bring their own frames and views. Each frame has the caption of an
// adorned frame; the report views show nothing.
#include "views/Adorned.h"
#include "views/Aspframe.h"
#include "document/Docviews.h"
#include "platform/ui/docview/View.h"

class CScheduleReportFrame : public CDlgAdornedFrame, public CReportKindSource
{
  DECLARE_DYNCREATE(CScheduleReportFrame)
public:
  CScheduleReportFrame();
  int GetReportKind() const override { return 0; }
};

class CUnitInfoReportFrame : public CDlgAdornedFrame, public CReportKindSource
{
  DECLARE_DYNCREATE(CUnitInfoReportFrame)
public:
  CUnitInfoReportFrame();
  int GetReportKind() const override { return 1; }
};

// The empty views of the report frames.
class CBlankView : public CView
{
  DECLARE_DYNAMIC(CBlankView)
public:
  void OnDraw(CDC* pDC) override;
};

class CScheduleReportView : public CBlankView
{
  DECLARE_DYNCREATE(CScheduleReportView)
};

class CUnitInfoReportView : public CBlankView
{
  DECLARE_DYNCREATE(CUnitInfoReportView)
};

// The dialog bar templates of these frames, the drawing bars among them.
void RegisterProjectViewBars();
