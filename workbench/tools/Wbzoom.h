#pragma once
// The zoom tool: a click scales the view by a fixed step about the clicked point, and the two
// "scale to" commands fit the selection or the whole design into the window.
#include "geometry/2drect.h"
#include "workbench/tools/Wbtools.h"

// Zoom modes.
enum
{
  zmIn = 0,
  zmOut = 1
};

class CZoomTool : public CWorkbenchTool
{
  DECLARE_DYNAMIC(CZoomTool)
public:
  explicit CZoomTool(CWorkbenchView* pView);
  ~CZoomTool() override;

  // Shows whether a click would change the scale.
  HCURSOR GetCursor() override;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
  int GetZoomMode() const { return m_nMode; }
  void SetZoomMode(int mode);
  void ScaleToSelection();
  void ScaleToFit();

  // The scale a click gives in a mode, from the present scale and the fit scale; the present
  // scale when the click changes nothing.
  static double NextScale(int mode, double scale, double fitScale, double factor);
  // The scale that shows a world rectangle of w by h inches in a client of cx by cy pixels,
  // leaving a quarter inch of margin, but using at least one inch of the client.
  static double ScaleForRect(double w, double h, CSize client, CSize logPixels);

private:
  void ScaleToRect(const CVRX2DRectangle& rect);
  // Scrolls so that the world point comes to the middle of the window where the range allows.
  void CentreOn(const CVRX2DPoint& point);

  double m_dZoomFactor = 1.25;
  HCURSOR m_hZoomOutCursor = nullptr;
  HCURSOR m_hZoomInCursor = nullptr;
  HCURSOR m_hCannotZoomCursor = nullptr;
  int m_nMode = zmIn;
};
