#pragma once
// The editor of one design: the view of the Workbench document template. It shows the design's
// items on a scaled world of inches, owns the tools, the selection and the Workbench settings,
// routes the mouse to the current tool, and writes its state back into the design before the
// project stores it.
#include <array>
#include <memory>

#include "document/Docviews.h"
#include "platform/core/Array.h"
#include "platform/core/List.h"
#include "views/Xltdata.h"
#include "workbench/Scalevw.h"
#include "workbench/Wbtools.h"

class CDesign;
class CDesignItem;
class CDoc;
class CTracker;
class CUnitTool;
class CWorkbenchFrame;

// Edit modes.
enum
{
  wemReadOnly = 1,
  wemEditable = 2
};

// The hint that rebuilds the colour translation map; the one after unit or group properties.
constexpr LPARAM kHintCategoryMap = 4;
constexpr LPARAM kHintItemProperties = 6;

class CWorkbenchView : public CScaleView, public CWorkbenchDataSource
{
  DECLARE_DYNCREATE(CWorkbenchView)
  DECLARE_MESSAGE_MAP()
public:
  CWorkbenchView();
  ~CWorkbenchView() override;

  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnDraw(CDC* pDC) override;
  void ReleaseViewDC(CDC*& pDC) override;
  void OnBeginScroll() override;
  void OnEndScroll() override;

  // Opening and storing.
  void UpdateDesignWithWorkbenchData() override;
  void SetReadOnly(BOOL bReadOnly);

  // Tools.
  void SetCurrentTool(int index);
  void SetUnitTool(const CString& type, const CString& subtype);
  CWorkbenchTool* GetCurrentTool() const { return m_pCurrentTool; }
  CWorkbenchTool* GetTool(int index) const { return m_Tools[index].get(); }
  BOOL GetLockTool() const { return m_bLockTool; }
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
  void OnSelectTool();
  void OnUpdateSelectTool(CCmdUI* pCmdUI);
  void OnJoinTool();
  void OnUpdateJoinTool(CCmdUI* pCmdUI);
  void OnLockTool();
  void OnUpdateLockTool(CCmdUI* pCmdUI);
  void OnZoomIn();
  void OnUpdateZoomIn(CCmdUI* pCmdUI);
  void OnZoomOut();
  void OnUpdateZoomOut(CCmdUI* pCmdUI);
  void OnScaleToSelection();
  void OnUpdateScaleToSelection(CCmdUI* pCmdUI);
  void OnScaleToFit();
  void OnUpdateScaleToFit(CCmdUI* pCmdUI);

  // Selection and items.
  void Select(CDesignItem* pItem);
  void Deselect(CDesignItem* pItem);
  void DeselectAll();
  BOOL IsSelected(CDesignItem* pItem) const;
  int GetSelectedCount(BOOL bCopyable) const;
  const CObList& GetSelectedItems() const { return m_SelectedItems; }
  void AddItem(CDesignItem* pItem, BOOL bInvalidate);
  void RemoveItem(CDesignItem* pItem);
  int HitTest(CPoint point, CDesignItem*& pItem, int& handle);
  CObList* GetItemList() const { return m_pItemList; }
  CVRX2DRectangle GetDesignExtents() const;
  CVRX2DRectangle GetSelectedExtents() const;

  // Snapping and joining as the items and trackers ask for them.
  CVRX2DVector AdjustPos(const CVRX2DVector& v, CDesignItem* pItem, int create);
  int AdjustPos(CDesignItem* pItem, int handle, CVRX2DVector& v, CVRX2DEntityArray& entities);
  CVRX2DVector AdjustPoint(const CVRX2DVector& point);
  void StartMove(CDesignItem* pItem);
  void StartResize(CDesignItem* pItem);
  void AddJoin();
  void RemoveJoins(CDesignItem* pUnitItem, int side);
  // The joins of a unit that starts to move or resize are kept aside until the drag commits.
  void DetachJoins(CDesignItem* pUnitItem);
  void DeleteDetachedJoins();
  void RestoreDetachedJoins();
  void UpdateAlignmentEntities(CDesignItem* pItem);

  // Settings and state.
  CVRX2DVector GetWorkbenchExtent() const;
  int GetEditMode() const;
  BOOL IsSelectorModeOff() const;
  BOOL GetShowJoins() const { return m_bShowJoins; }
  void SetShowJoins(BOOL bShow) { m_bShowJoins = bShow; }
  BOOL GetSnapHighlights() const { return m_bSnapHighlights; }
  void GetAlignmentSettings(BOOL& bAlignmentLinesOff, BOOL& bSnapOff) const;
  void SetTracker(CTracker* pTracker) { m_pTracker = pTracker; }
  CTracker* GetTracker() const { return m_pTracker; }
  CMapECatToXLTGDIData* GetCategoryMap() const { return m_pCategoryMap.get(); }
  // The joining numbers in the order joining attempts them; twice the largest joining spacing.
  const CDWordArray& GetJoiningOrder() const { return m_JoiningOrder; }
  double GetJoinCaptureDistance() const { return m_dJoinCaptureDistance; }
  static BOOL IsShiftDown();
  static BOOL IsCtrlDown();
  // Puts a text into a pane of the main frame's status bar.
  void SetPaneText(int nIndex, const CString& text);
  void OnEditProperties();
  CDoc* GetDoc() const;
  CDesign* GetDesign() const;
  CWorkbenchFrame* GetWorkbenchFrame() const;

protected:
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnLButtonDblClk(UINT nFlags, CPoint point) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
  void OnRButtonUp(UINT nFlags, CPoint point) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnDestroy() override;

  void OnEditDeleteItem();
  void OnUpdateEditDeleteItem(CCmdUI* pCmdUI);
  void OnUpdateEditProperties(CCmdUI* pCmdUI);

private:
  // Opening (Wbopen.cpp).
  BOOL BindToDesign();
  void SizeFrameToDesign();
  void RestoreStoredView();
  void ReportUnopenable();
  void ShowPointerPosition(CPoint point);
  // Tools: the tool that the display flags make current under the pointer; the zoom commands.
  void ChooseToolForPointer();
  void SetZoomTool(int mode);
  // The joining order and capture distance from the product database.
  void ReadJoiningTables();
  // Every item of the design that joins the unit item.
  void CollectJoins(CDesignItem* pUnitItem, CObList& joins) const;

  int m_nEditMode = wemEditable;
  CObList* m_pItemList = nullptr;
  CObList m_SelectedItems;
  CObList m_SelectorItems;
  CObList m_DetachedJoins;
  double m_dJoinCaptureDistance = 0.0;
  CTracker* m_pTracker = nullptr;
  std::array<std::unique_ptr<CWorkbenchTool>, wbtCount> m_Tools;
  CWorkbenchTool* m_pCurrentTool = nullptr;
  CDWordArray m_JoiningOrder;
  BOOL m_bAutoJoin = TRUE;
  BOOL m_bShowJoins = TRUE;
  BOOL m_bSnapHighlights = TRUE;
  BOOL m_bAlignmentLinesOff = TRUE;
  BOOL m_bSnapOff = FALSE;
  BOOL m_bPlanViewShown = FALSE;
  BOOL m_bElevationViewShown = FALSE;
  BOOL m_bDetailViewShown = FALSE;
  BOOL m_bLockTool = FALSE;
  std::unique_ptr<CMapECatToXLTGDIData> m_pCategoryMap;
};
