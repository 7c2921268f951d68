#pragma once
// The frames of the plan, elevation and detail views: each gives its dialog bar a template and a
// name, gives the frame title its suffix, takes a quarter of the MDI client (at least its bar's
// width) when it is made, and turns every way of closing it into the main frame's command that
// hides its view.
#include "document/Docviews.h"
#include "views/Adorned.h"

class CAspectFrame : public CDlgAdornedFrame, public CReactivationFlag
{
  DECLARE_DYNAMIC(CAspectFrame)
  DECLARE_MESSAGE_MAP()
public:
  CAspectFrame(const CString& suffix, UINT nDialogBarID, UINT nCloseCommand);

  // Whether the frame was visible when its project last lost the Workbench; 1 until then.
  BOOL GetVisibleOnReactivation() const override { return m_bVisibleOnReactivation; }
  void SetVisibleOnReactivation(BOOL bVisible) override { m_bVisibleOnReactivation = bVisible; }
  UINT GetCloseCommand() const { return m_nCloseCommand; }

  // The rectangle a frame takes in a client of the given size: the quarter at column and row
  // (0 or 1 each), in integer halves.
  static CRect QuarterOf(const CRect& client, int column, int row);

protected:
  void OnCloseView();
  void OnSysCommand(UINT nID, LPARAM lParam) override;
  // Moves and sizes the frame to its quarter of the MDI client, keeping the z-order; a quarter
  // too narrow for the bar is widened to it.
  void PlaceInQuarter(int column, int row);

private:
  BOOL m_bVisibleOnReactivation = TRUE;
  UINT m_nCloseCommand;
};

class CPlanFrame : public CAspectFrame
{
  DECLARE_DYNCREATE(CPlanFrame)
public:
  CPlanFrame();
  void SetInitialPosition() override;
};

class CElevationFrame : public CAspectFrame
{
  DECLARE_DYNCREATE(CElevationFrame)
public:
  CElevationFrame();
  void SetInitialPosition() override;
};

class CDetailFrame : public CAspectFrame
{
  DECLARE_DYNCREATE(CDetailFrame)
public:
  CDetailFrame();
  void SetInitialPosition() override;
};

// The messages of the drawing views' output.
void RegisterAspectResources();
