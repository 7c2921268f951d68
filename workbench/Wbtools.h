#pragma once
// The Workbench tools: the view hands every mouse message over its world area to its current
// tool, which decides what a click means. The select tool selects, moves and resizes items; the
// unit tool places a new unit.
#include <memory>

#include "geometry/2dpoint.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "platform/ui/wnd/Msg.h"

class CDesignItem;
class CMoveGroupItem;
class CWorkbenchView;

// Tool indexes of the view.
enum
{
  wbtSelect = 0,
  wbtUnit = 1,
  wbtJoin = 2,
  wbtVertGuideLine = 3,
  wbtHorzGuideLine = 4,
  wbtAngledGuideLine = 5,
  wbtZoom = 6,
  wbtPlanSelector = 7,
  wbtDetailSelector = 8,
  wbtView = 9,
  wbtCount = 10
};

// View hit-test answers.
enum
{
  hitNothing = 1,
  hitItem = 2,
  hitHandle = 4
};

class CWorkbenchTool
{
public:
  explicit CWorkbenchTool(CWorkbenchView* pView) : m_pView(pView) {}
  virtual ~CWorkbenchTool() = default;
  CWorkbenchTool(const CWorkbenchTool&) = delete;
  CWorkbenchTool& operator=(const CWorkbenchTool&) = delete;

  virtual void OnLButtonDown(UINT nFlags, CPoint* pPoint);
  virtual void OnLButtonUp(UINT nFlags, CPoint* pPoint);
  virtual void OnLButtonDblClk(UINT nFlags, CPoint* pPoint);
  virtual void OnRButtonDown(UINT nFlags, CPoint* pPoint);
  virtual void OnRButtonUp(UINT nFlags, CPoint* pPoint);
  virtual void OnMouseMove(UINT nFlags, CPoint* pPoint);

protected:
  CWorkbenchView* m_pView;
  CPoint m_ptDown;
  CPoint m_ptLast;
  BOOL m_bButtonDown = FALSE;
};

class CSelectTool : public CWorkbenchTool
{
public:
  using CWorkbenchTool::CWorkbenchTool;
  ~CSelectTool() override;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
  void OnLButtonUp(UINT nFlags, CPoint* pPoint) override;
  void OnLButtonDblClk(UINT nFlags, CPoint* pPoint) override;
  void OnRButtonDown(UINT nFlags, CPoint* pPoint) override;

private:
  void PressOnItem(CDesignItem* pItem, CPoint point);
  BOOL m_bMoved = FALSE;
  BOOL m_bJustSelected = FALSE;
  // The temporary group of the selection, owned from the press that made it to the release.
  CMoveGroupItem* m_pMoveGroup = nullptr;
};

class CUnitTool : public CWorkbenchTool
{
public:
  using CWorkbenchTool::CWorkbenchTool;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
  void SetUnitType(const CString& type) { m_strType = type; }
  void SetUnitSubtype(const CString& subtype) { m_strSubtype = subtype; }
  CString GetUnitType() const { return m_strType; }
  CString GetUnitSubtype() const { return m_strSubtype; }

private:
  CString m_strType;
  CString m_strSubtype;
};

// Guideline tools: a press places a guideline through the snapped point and selects it.
class CVertGuideLineTool : public CWorkbenchTool
{
public:
  using CWorkbenchTool::CWorkbenchTool;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
};

class CHorzGuideLineTool : public CWorkbenchTool
{
public:
  using CWorkbenchTool::CWorkbenchTool;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
};

class CAngledGuideLineTool : public CWorkbenchTool
{
public:
  using CWorkbenchTool::CWorkbenchTool;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
};

// Selector tools: the tools of the read-only Workbench while a drawing view is shown.
class CSelectLineItem;

// Their cursors: the plan selector tool's, and the detail selector tool's over a selector and
// elsewhere.
constexpr UINT kCursorPlanSelector = 1301;
constexpr UINT kCursorOverSelector = 1401;
constexpr UINT kCursorDetailSelector = 1703;
// Registers the drawings of those cursors as resources.
void RegisterSelectorCursors();

// Drags the plan selector while the plan view is shown.
class CPlanSelectorTool : public CWorkbenchTool
{
public:
  explicit CPlanSelectorTool(CWorkbenchView* pView);
  ~CPlanSelectorTool() override;
  HCURSOR GetCursor();
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
  void OnLButtonUp(UINT nFlags, CPoint* pPoint) override;

private:
  HCURSOR m_hCursor;
};

// Picks detail selectors, or draws a select line that makes a new one, while the detail view
// is shown.
class CDetailSelectorTool : public CWorkbenchTool
{
public:
  explicit CDetailSelectorTool(CWorkbenchView* pView);
  ~CDetailSelectorTool() override;
  HCURSOR GetCursor();
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
  void OnLButtonUp(UINT nFlags, CPoint* pPoint) override;
  void OnRButtonDown(UINT nFlags, CPoint* pPoint) override;

private:
  HCURSOR m_hOverSelectorCursor;
  HCURSOR m_hCursor;
  // From the press that makes it to the release that turns it into a detail selector.
  std::unique_ptr<CSelectLineItem> m_pSelectLine;
};

// The tool of the read-only Workbench: clicks change nothing.
class CViewTool : public CWorkbenchTool
{
public:
  explicit CViewTool(CWorkbenchView* pView);
  ~CViewTool() override;
  HCURSOR GetCursor();

private:
  HCURSOR m_hCursor;
};
