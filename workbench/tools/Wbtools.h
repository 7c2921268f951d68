#pragma once
// The Workbench tools: the view hands every mouse message over its world area to its current
// tool, which decides what a click means. The select tool selects, moves and resizes items; the
// unit tool places a new unit; the join tool only records its clicks.
#include <memory>

#include "geometry/2dpoint.h"
#include "platform/core/Object.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "ui/wnd/Msg.h"

class CDesignItem;
class CMoveGroupItem;
class CMenu;
class CWorkbenchView;

// View hit-test answers.
enum
{
  hitNothing = 1,
  hitItem = 2,
  hitHandle = 4
};

// Cursors of the tools.
constexpr UINT kCursorToolDefault = 504;
constexpr UINT kCursorHorzGuideLine = 506;
constexpr UINT kCursorJoinTool = 507;
constexpr UINT kCursorSelectArrow = 508;
constexpr UINT kCursorUnitTool = 509;
constexpr UINT kCursorVertGuideLine = 510;
constexpr UINT kCursorZoomIn = 511;
constexpr UINT kCursorCannotZoom = 514;
constexpr UINT kCursorAngledGuideLine = 703;
constexpr UINT kCursorZoomOut = 704;
constexpr UINT kCursorPlanSelector = 1301;
constexpr UINT kCursorOverDetailSelector = 1401;
constexpr UINT kCursorDetailSelector = 1703;

// Popups of the context menu resource, by position.
enum
{
  ctxWorkbench = 3,
  ctxReadOnly = 4,
  ctxDesignItem = 5,
  ctxUnitItem = 6,
  ctxGroupItem = 7,
  ctxPlanItem = 8,
  ctxDetailItem = 9,
  ctxJoinItem = 10
};
// The "New Window Unit" popup inside the Workbench popup.
constexpr int kNewUnitPopupPosition = 5;

// Registers the drawings of the tool cursors as resources.
void RegisterToolCursors();

class CWorkbenchTool : public CObject
{
  DECLARE_DYNAMIC(CWorkbenchTool)
public:
  explicit CWorkbenchTool(CWorkbenchView* pView);
  ~CWorkbenchTool() override;
  CWorkbenchTool(const CWorkbenchTool&) = delete;
  CWorkbenchTool& operator=(const CWorkbenchTool&) = delete;

  virtual HCURSOR GetCursor();
  virtual CPoint GetLButtonDownPoint() const { return m_ptDown; }
  virtual CPoint GetRButtonDownPoint() const { return m_ptRDown; }
  virtual BOOL IsLButtonDown() const { return m_bButtonDown; }
  virtual BOOL IsRButtonDown() const { return m_bRButtonDown; }
  virtual void OnLButtonDown(UINT nFlags, CPoint* pPoint);
  // A press in the window beyond the Workbench's square, where no tool acts; TRUE when the tool
  // refused it and stays chosen for the next press.
  virtual BOOL OnLButtonDownBeyond(CPoint) { return FALSE; }
  virtual void OnLButtonUp(UINT nFlags, CPoint* pPoint);
  virtual void OnLButtonDblClk(UINT nFlags, CPoint* pPoint);
  virtual void OnMouseMove(UINT nFlags, CPoint* pPoint);
  virtual void OnRButtonDown(UINT nFlags, CPoint* pPoint);
  virtual void OnRButtonUp(UINT nFlags, CPoint* pPoint);

protected:
  // Traces "<class>::<operation>  point = ( x, y )  nFlags = n".
  void TraceMouse(const char* operation, const CPoint& point, UINT nFlags, int level) const;
  // Shows a popup of the context menu resource at a client point; the chosen command takes the
  // ordinary command route from the main window. With bFillNewUnit the main frame first fills
  // the "New Window Unit" popup of the Workbench popup.
  void TrackContextMenu(int popup, CPoint client, BOOL bFillNewUnit = FALSE);

  CWorkbenchView* m_pView;
  HCURSOR m_hDefaultCursor = nullptr;
  // The left-button press point and state.
  CPoint m_ptDown;
  BOOL m_bButtonDown = FALSE;
  CPoint m_ptRDown;
  BOOL m_bRButtonDown = FALSE;
};

class CSelectTool : public CWorkbenchTool
{
  DECLARE_DYNAMIC(CSelectTool)
public:
  explicit CSelectTool(CWorkbenchView* pView);
  ~CSelectTool() override;

  HCURSOR GetCursor() override;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
  void OnLButtonUp(UINT nFlags, CPoint* pPoint) override;
  void OnLButtonDblClk(UINT nFlags, CPoint* pPoint) override;
  void OnRButtonDown(UINT nFlags, CPoint* pPoint) override;
  void OnRButtonUp(UINT nFlags, CPoint* pPoint) override;

  // The context-menu popup for what lies under a client point.
  int ContextPopupAt(CPoint point);

private:
  void PressOnItem(CDesignItem* pItem, UINT nFlags, CPoint point);
  void PressOnHandle(CDesignItem* pItem, int handle);

  HCURSOR m_hArrowCursor = nullptr;
  BOOL m_bMoved = FALSE;
  BOOL m_bJustSelected = FALSE;
  // The temporary group of the selection, owned from the press that made it to the release.
  CMoveGroupItem* m_pMoveGroup = nullptr;
};

class CUnitTool : public CWorkbenchTool
{
  DECLARE_DYNAMIC(CUnitTool)
public:
  explicit CUnitTool(CWorkbenchView* pView);
  ~CUnitTool() override;

  HCURSOR GetCursor() override { return m_hUnitCursor; }
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
  void SetUnitType(const CString& type) { m_strType = type; }
  void SetUnitSubtype(const CString& subtype) { m_strSubtype = subtype; }
  CString GetUnitType() const { return m_strType; }
  CString GetUnitSubtype() const { return m_strSubtype; }

private:
  // The new unit item with its unit made, or null after telling the user why not.
  CDesignItem* MakeUnitItem();

  HCURSOR m_hUnitCursor = nullptr;
  CString m_strType;
  CString m_strSubtype;
};

// Guideline tools: a press places a guideline through the snapped point and selects it; a press
// beyond the Workbench's square places none and says why on the status bar.
class CGuideLineToolBase : public CWorkbenchTool
{
public:
  using CWorkbenchTool::CWorkbenchTool;
  BOOL OnLButtonDownBeyond(CPoint point) override;
};

class CVertGuideLineTool : public CGuideLineToolBase
{
public:
  using CGuideLineToolBase::CGuideLineToolBase;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
};

class CHorzGuideLineTool : public CGuideLineToolBase
{
public:
  using CGuideLineToolBase::CGuideLineToolBase;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
};

class CAngledGuideLineTool : public CGuideLineToolBase
{
public:
  using CGuideLineToolBase::CGuideLineToolBase;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
};

// Selector tools: the tools of the read-only Workbench while a drawing view is shown.
class CSelectLineItem;

// Drags the plan selector while the plan view is shown.
class CPlanSelectorTool : public CWorkbenchTool
{
public:
  explicit CPlanSelectorTool(CWorkbenchView* pView);
  ~CPlanSelectorTool() override;
  HCURSOR GetCursor() override;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
  void OnLButtonUp(UINT nFlags, CPoint* pPoint) override;
  void OnRButtonUp(UINT nFlags, CPoint* pPoint) override;

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
  HCURSOR GetCursor() override;
  void OnLButtonDown(UINT nFlags, CPoint* pPoint) override;
  void OnLButtonUp(UINT nFlags, CPoint* pPoint) override;
  void OnRButtonDown(UINT nFlags, CPoint* pPoint) override;
  void OnRButtonUp(UINT nFlags, CPoint* pPoint) override;

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
  HCURSOR GetCursor() override;
  void OnRButtonUp(UINT nFlags, CPoint* pPoint) override;

private:
  HCURSOR m_hCursor;
};

// Joins come from snapping and the join commands: a click of this tool changes nothing.
class CJoinTool : public CWorkbenchTool
{
  DECLARE_DYNAMIC(CJoinTool)
public:
  explicit CJoinTool(CWorkbenchView* pView);
  ~CJoinTool() override;

  HCURSOR GetCursor() override { return m_hJoinCursor; }

private:
  HCURSOR m_hJoinCursor = nullptr;
};
