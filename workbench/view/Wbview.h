#pragma once
// The editor of one design: the view of the Workbench document template. It shows the design's
// items on a scaled world of inches, owns the tools, the selection and the Workbench settings,
// routes the mouse to the current tool, and writes its state back into the design before the
// project stores it.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "document/Docviews.h"
#include "document/Dochints.h"
#include "platform/core/Array.h"
#include "platform/core/List.h"
#include "platform/core/Ptrhash.h"
#include "views/Xltdata.h"
#include "workbench/snap/Likalign.h"
#include "workbench/scale/Scalevw.h"
#include "workbench/snap/Snapvec.h"
#include "workbench/snap/Snapeng.h"

class CDesign;
class CDesignItem;
class CDoc;
class CGroupItem;
class CJoinItem;
class CMoveGroupItem;
class CPlanSelectorItem;
class CPlanViewInfoArray;
class CTracker;
class CUnitItem;
class CVRX2DLine;
class CWorkbenchFrame;
class CWorkbenchTool;

// The lines of a moving item that snapping compares, with the copies they point into: the
// item's outline, and for a group the other sides of its units.
struct CMoveOutlines
{
  CObOwnArray refs;
  std::deque<CVRX2DLine> innerSides;
  std::vector<CSnapOutline> outlines;
};

// The view's tools, by index.
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

// Edit modes.
enum
{
  wemReadOnly = 1,
  wemEditable = 2
};

class CWorkbenchView : public CScaleView,
                       public CWorkbenchDataSource,
                       public CAspectDataSource,
                       public CTypedValuesHolder
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
  // The quantity typed in the frame's bar; FALSE, after telling the user, when it is refused.
  BOOL TakeTypedValues() override;
  void SetReadOnly(BOOL bReadOnly);
  // The Edit and Insert menus every Workbench shares show this Workbench's edit mode.
  void ShowEditModeInMenu() const;

  // Tools.
  void SetCurrentTool(int index);
  void SetUnitTool(const CString& type, const CString& subtype);
  CWorkbenchTool* GetCurrentTool() const { return m_pCurrentTool; }
  CWorkbenchTool* GetTool(int index) const { return m_Tools[index].get(); }
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
  // Removes the items (of the design or selectors), each deselected first, with the joins of
  // their units; items no longer there are passed over.
  void RemoveItems(const std::vector<CDesignItem*>& items);
  int HitTest(CPoint point, CDesignItem*& pItem, int& handle);
  CObList* GetItemList() const { return m_pItemList; }
  CVRX2DRectangle GetDesignExtents() const;
  CVRX2DRectangle GetSelectedExtents() const;

  // Snapping and joining as the items and trackers ask for them.
  CVRX2DVector AdjustPos(const CVRX2DVector& v, CDesignItem* pItem, int create);
  // A drag takes the item's lines once and adjusts every step's offset with them: the item stays
  // as it is while it is dragged, only the offset proposed for it changes.
  std::unique_ptr<CMoveOutlines> GetMoveOutlines(CDesignItem* pItem) const;
  CVRX2DVector AdjustPos(const CVRX2DVector& v, const CMoveOutlines& outlines, int create);
  // The snap of a join just made, where it stands, among the units along its own stretch.
  CVRX2DVector AdjustNewJoinPos(CDesignItem* pJoin);
  int AdjustPos(CDesignItem* pItem, int handle, CVRX2DVector& v, CVRX2DEntityArray& entities);
  CVRX2DVector AdjustPoint(const CVRX2DVector& point);
  void AddJoin();
  void RemoveJoins(CDesignItem* pUnitItem, int side);
  // The joins of a unit that starts to move or resize are kept aside until the drag commits.
  void DetachJoins(CDesignItem* pUnitItem);
  void DeleteDetachedJoins();
  void RestoreDetachedJoins();

  // Settings and state.
  CVRX2DVector GetWorkbenchExtent() const;
  int GetEditMode() const;
  BOOL IsSelectorModeOff() const;
  BOOL GetShowJoins() const { return m_bShowJoins; }
  void SetShowJoins(BOOL bShow) { m_bShowJoins = bShow; }
  BOOL GetSnapHighlights() const { return m_bSnapHighlights; }
  void GetAlignmentSettings(BOOL& bAlignmentLinesOff, BOOL& bSnapOff) const;
  // A new item (placed or pasted) takes the Workbench's alignment settings.
  void ApplyAlignmentSettings(CDesignItem* pItem) const;
  // A selected item goes into a copy unless it is a join whose two units are not both selected.
  BOOL IsCopyable(CDesignItem* pItem) const;
  void SetTracker(CTracker* pTracker) { m_pTracker = pTracker; }
  CTracker* GetTracker() const { return m_pTracker; }
  CMapECatToXLTGDIData* GetCategoryMap() const { return m_pCategoryMap.get(); }
  // The joining numbers in the order joining attempts them; twice the largest joining spacing.
  const CDWordArray& GetJoiningOrder() const { return m_JoiningOrder; }
  double GetJoinCaptureDistance() const { return m_Snap.GetJoinCaptureDistance(); }
  static BOOL IsShiftDown();
  static BOOL IsCtrlDown();
  // Whether a paint of the whole rectangle (client pixels) is pending already; never for an
  // empty one.
  BOOL IsPaintPending(const CRect& rect);
  // Whether a paint of the whole client area is pending: the items of a selection that come or
  // go after a unit invalidated the view need not work out their handles' rectangles.
  BOOL IsWholePaintPending();
  // Puts a text into a pane of the main frame's status bar.
  void SetPaneText(int nIndex, const CString& text);
  // Puts the unit's size into pane 1; while a CSizeTextBatch lasts, only when it ends.
  void SetSizePaneText(CUnitItem* pItem);
  // The size or description of the item selected last, as its selection showed it.
  void ShowSelectionInfo();
  // Holds back what pane 1 is given while one action selects or deselects many items: the bar
  // shows only the last text set, so only that one is worked out (the size of the last unit)
  // and set, when the outermost batch ends. No unit given to the pane may go meanwhile.
  class CSizeTextBatch
  {
  public:
    explicit CSizeTextBatch(CWorkbenchView* pView);
    ~CSizeTextBatch() noexcept(false);
    CSizeTextBatch(const CSizeTextBatch&) = delete;
    CSizeTextBatch& operator=(const CSizeTextBatch&) = delete;

  private:
    CWorkbenchView* m_pView;
    int m_nUncaught;
  };
  void OnEditProperties();
  CDoc* GetDoc() const;
  CDesign* GetDesign() const;
  CWorkbenchFrame* GetWorkbenchFrame() const;

  // Groups.
  // A temporary move group of the selection, added to the design; fatal with fewer than two
  // selected items.
  CMoveGroupItem* MakeMoveGroup();
  // The first group item of the design whose units hold the item, else null.
  CGroupItem* FindGroupOfItem(CDesignItem* pItem) const;
  // Takes a move group out of the design again, hands its members back and deletes it.
  void DissolveMoveGroup(CMoveGroupItem* pGroup);
  // Removes every join of the design of which exactly one unit lies inside the group; with
  // bAll every join that touches a unit inside it.
  void RemoveCrossingJoins(CGroupItem* pGroup, BOOL bAll = FALSE);
  void OnGroupItems();
  void OnUpdateGroupItems(CCmdUI* pCmdUI);
  void OnUngroupItems();
  void OnUpdateUngroupItems(CCmdUI* pCmdUI);
  // Selectors and the data of the plan, elevation and detail views.
  void GetPlanViewInfo(double& selectorY, CPlanViewInfoArray* pInfo) override;
  BOOL GetElevationViewItems(CObList& items) override;
  BOOL GetElevationViewUnits(CElevationViewInfoArray& units) override;
  BOOL CreateDetailSelector(CVRX2DLine line);
  BOOL HitTestSelectors(CPoint point, CDesignItem*& pItem);
  CPlanSelectorItem* GetPlanSelector() const { return m_pPlanSelector; }
  const CObList& GetSelectorItems() const { return m_SelectorItems; }
  BOOL IsPlanViewShown() const { return m_bPlanViewShown; }
  BOOL IsDetailViewShown() const { return m_bDetailViewShown; }
  // The tool the display modes call for at a client point; the current tool when no mode is on.
  void ChooseToolForPoint(CPoint point);
  void OnPlanViewShow();
  void OnPlanViewHide();
  void OnElevationViewShow();
  void OnElevationViewHide();
  void OnDetailViewShow();
  void OnDetailViewHide();
  void OnShowDetail();
  // Joins.
  // The join search for one joining snap of a moving unit's perimeter line against the colinear
  // perimeter lines of a stationary alignment entity (each with its component index). Corrects
  // the snap to the join spacing; with `create` it parks new join items until AddJoin.
  BOOL EvaluateSnapForJoin(const CVRX2DLine& movingLine, CDesignItem* pMovingItem, int movingIndex,
                           CDesignItem* pStationaryItem, const CVRX2DEntityArray& stationaryLines,
                           const CDWordArray& stationaryIndices, CJoinSnapRecord& snap, BOOL create);
  // Where a move ended: parks a join item, as a committed snap does, for each stationary line
  // the moving unit's side faces at exactly the spacing of the join the two take first.
  void JoinWhereSpaced(const CVRX2DLine& movingLine, CDesignItem* pMovingItem, int movingIndex,
                       CDesignItem* pStationaryItem, const CVRX2DEntityArray& stationaryLines,
                       const CDWordArray& stationaryIndices);
  BOOL VerifyJoin(CJoinItem* pJoin, CUnitItem* pUnitItem);
  // Verifies the joins of the unit (every join without one) and removes those that fail.
  void VerifyAllJoins(CUnitItem* pUnitItem);
  // The same for the joins between two of the units, in one walk over the design.
  void VerifyJoinsAmong(const std::vector<CUnitItem*>& units);
  // What moving the units of a join to its new spacing came to (Wbrespace.cpp).
  enum class EJoinSpacingMove
  {
    Moved,
    // A unit would leave the Workbench square.
    OffSquare,
    // A unit would end inside a unit that stands still.
    IntoUnit,
    // The two units are held together by other joins or by a group: no move changes their gap.
    HeldTogether
  };
  // Moves the join's first unit by `first` and its second by `second`, each with its group and
  // every item joined on to it beyond the join, as one group; and the joins between the two
  // units in the join's order, which took its type, by `joinMove`. Nothing moves unless all of it can.
  EJoinSpacingMove MoveToJoinSpacing(CJoinItem& join, const CVRX2DVector& first, const CVRX2DVector& second,
                                     const CVRX2DVector& joinMove);
  BOOL IsJoinInGroup(CJoinItem* pJoin);
  // Selects each join whose two units are selected, themselves or as members of a selected
  // group, and deselects every other join.
  void UpdateJoinSelection();
  // Gives the join's type to every other join between the same two units in the same order.
  void PropagateJoinType(CJoinItem* pJoin);
  // The join the joining order gives a pair of components first: its type (-1 for none, when
  // no type fits, and -2 when the tables list the first that fits without spacings) and its
  // spacing on either side.
  struct CPairJoin
  {
    int joinType = -1;
    float movingSpacing = 0.0f;
    float stationarySpacing = 0.0f;
  };
  BOOL GetAutoJoin() const { return m_Snap.GetAutoJoin(); }
  int GetNewJoinCount() const { return m_NewJoins.GetCount(); }
  // The status-bar prompt for two units pushed together that no joining type fits.
  static CString GetNoJoiningTypePrompt();
  // Told when a join a move proposed, or one it had, cannot stand its spacing where the units are.
  static CString GetJoinNotKeptPrompt();
  // Told when a unit snapped again with snapping off lost joins it had: joins are made by snapping.
  static CString GetJoinsNotMadeWithoutSnappingPrompt();
  // The prompt speaks of the last move only: it goes when the selection or the design changes.
  void ClearUnjoinablePrompt();
  // Told when a guideline tool is pressed beyond the Workbench's square, where none is placed;
  // it goes as the joining prompts go.
  static CString GetGuidelineBeyondSquarePrompt();
  void TellGuidelineBeyondSquare();
  // Snapping and alignment.
  void StartMove(CDesignItem* pItem);
  void StartResize(CDesignItem* pItem);
  // The snap range (5 pixels in inches at the present scale) and the join snap range.
  void SetSnapRanges();
  double GetSnapRange() const { return m_Snap.GetSnapRange(); }
  double GetJoinSnapRange() const { return m_Snap.GetJoinSnapRange(); }
  // Mode word bit: the move is constrained to the given direction.
  static constexpr int kConstrainedMode = kSnapConstrainedMode;
  CVRX2DVector AdjustPoint(const CVRX2DVector& point, int mode, double direction, CDesignItem* pItem, int component);
  CVRX2DVector AdjustUnitResize(int handle, const CVRX2DVector& offset, int mode, double direction, CUnitItem* pItem);
  // Forwards to the engine; a query names the moving item, its line's index, the mode,
  // direction, create flag, range and joining pass.
  void SnapTo(const CVRX2DLine& line, const CSnapQuery& query, CSnapVectorArray& vectors)
  {
    m_Snap.SnapTo(line, query, vectors);
  }
  int SnapPointToArcs(const CVRX2DPoint& p, int mode, double direction, double range, CSnapVectorArray& vectors)
  {
    return m_Snap.SnapPointToArcs(p, mode, direction, range, vectors);
  }
  CVRX2DVector CombineSnapVectors(CSnapVectorArray& vectors) const { return m_Snap.CombineSnapVectors(vectors); }
  void BuildGuidelineSnapPoints(CDesignItem* pMovingItem);
  // The nudge command and the snapping test (a zero vector); the arrow keys.
  void NudgeItems(const CVRX2DVector& v);
  void NudgeGroup(const CVRX2DVector& v);
  void AddAlignmentEntities(CDesignItem* pItem);
  // The same, filling the entries of the spare list (which it empties) before making new ones.
  void AddAlignmentEntities(CDesignItem* pItem, std::vector<CAlignmentEntity*>* pSpare);
  void RemoveAlignmentEntities(CDesignItem* pItem);
  void UpdateAlignmentEntities(CDesignItem* pItem);
  void EnableAlignmentEntities(CDesignItem* pItem, BOOL bEnable);
  // Every enabled entry counts; those of the ignored item count as disabled.
  BOOL IsOnAlignmentEntity(const CVRX2DEntity& entity, const CDesignItem* pIgnored = nullptr)
  {
    return m_Snap.IsOnAlignmentEntity(entity, pIgnored);
  }
  std::uint64_t GetSnapRevision() const { return m_Snap.GetRevision(); }
  // What is inconsistent in the selection index or the alignment tables (Wbcheck.cpp), by name;
  // empty when nothing is. Tests call it after each step.
  std::string CheckConsistency() const;
  BOOL SnapTablesOnlyFiledSince(std::uint64_t revision) const { return m_Snap.OnlyFiledSince(revision); }
  // Show mode 0 shows every item's alignment lines, 1 hides them; snap mode 0 lets every item
  // offer its lines, 1 takes them all away.
  void SetAlignmentModes(int showMode, int snapMode);
  void GetAlignmentModes(int& showMode, int& snapMode) const;
  const CLikeAlignmentGroups& GetPerimeterGroups() const { return m_Snap.GetPerimeterGroups(); }
  const CLikeAlignmentGroups& GetOtherGroups() const { return m_Snap.GetOtherGroups(); }
  const CAlignmentEntityArray& GetArcEntities() const { return m_Snap.GetArcEntities(); }
  void SetAutoJoin(BOOL bAutoJoin) { m_Snap.SetAutoJoin(bAutoJoin); }
  void SetJoiningOrder(const CDWordArray& order) { m_JoiningOrder.Copy(order); }
  // Tells the project's views that an item's sheet applied its properties (hint 6 naming the
  // item); the Workbench draws, files and joins that item again as it now is.
  void SendItemPropertiesHint(CDesignItem* pItem);
  // The Workbench properties sheet and the "Alignment Lines" dialog.
  void OnWorkbenchProperties();
  void OnAlignmentLines();
  void OnSnappingTest();
  void OnUpdateSnappingTest(CCmdUI* pCmdUI);

  // The clipboard of design items (Wbclipvw.cpp).
  void OnEditCopy();
  void OnEditCut();
  void OnUpdateEditCopy(CCmdUI* pCmdUI);
  void OnEditPaste();
  void OnPopupsPaste();
  void OnUpdateEditPaste(CCmdUI* pCmdUI);
  // Copies the selection (a join only with both its units) into the clipboard; with bCut the
  // selection is deleted once the clipboard has taken the data. FALSE when nothing was copied.
  BOOL CopyToClipboard(BOOL bCut);
  // Pastes the clipboard's items with their lower-left corner at a client point, moved on from
  // it and kept inside the window when bCascade is set; they end up selected.
  BOOL PasteFromClipboard(CPoint point, BOOL bCascade);
  CVRX2DVector GetPasteOrigin() const { return m_vPasteOrigin; }

  // View commands (Wbcmds.cpp).
  void OnRefresh();
  // F6 and Shift+F6: the keyboard between the drawing and the frame's dialog bar.
  void OnSwitchPane();
  void OnAlignmentLinesToggle();
  void OnUpdateAlignmentLinesToggle(CCmdUI* pCmdUI);
  void OnSnapToToggle();
  void OnUpdateSnapToToggle(CCmdUI* pCmdUI);
  void OnSelectAll();
  void OnUpdateSelectAll(CCmdUI* pCmdUI);
  void OnSpaceHorizontally();
  void OnSpaceVertically();
  // Spaces the selected items evenly between the two outermost along one axis.
  void SpaceItemsEvenly(BOOL bHorizontal);
  void OnRenameDesign();
  void OnRemoveJoining();
  void OnUpdateRemoveJoining(CCmdUI* pCmdUI);
  // The number of join items of the design that involve the unit item.
  int GetJoinCount(CDesignItem* pUnitItem) const;
  // The unit item under a client point, and the component of it there (-1 when none).
  CUnitItem* FindUnitItemAt(CPoint point, int& component);

protected:
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnLButtonDblClk(UINT nFlags, CPoint point) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
  void OnRButtonUp(UINT nFlags, CPoint point) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnDestroy() override;
  // A first view still waiting for its frame's final size is fitted again on every size; a
  // stored view is shown again at the paint that follows the sizes.
  void OnSize(UINT nType, int cx, int cy) override;
  void OnPaint() override;

  void OnEditDeleteItem();
  void OnUpdateEditDeleteItem(CCmdUI* pCmdUI);
  void OnUpdateEditProperties(CCmdUI* pCmdUI);
  // Joins.
  void OnJoiningMarkers();
  void OnUpdateJoiningMarkers(CCmdUI* pCmdUI);
  void OnSnapHighlights();
  void OnUpdateSnapHighlights(CCmdUI* pCmdUI);

  // Guidelines.
  void OnVertGuideLineTool();
  void OnHorzGuideLineTool();
  void OnAngledGuideLineTool();
  void OnUpdateVertGuideLineTool(CCmdUI* pCmdUI);
  void OnUpdateHorzGuideLineTool(CCmdUI* pCmdUI);
  void OnUpdateAngledGuideLineTool(CCmdUI* pCmdUI);
  void UpdateGuideLineToolCommand(CCmdUI* pCmdUI, int tool);

private:
  // Tests put the bookkeeping out of step through it, to see the check name each fault.
  friend class COutOfStep;
  // After a commit: whether it proposed joins, and whether one of them, or a join it moved, failed.
  void ShowUnjoinablePrompt(BOOL proposed, BOOL notKept);
  // The end of the committed moves (Wbjoin.cpp): the joins of units that end inside one another
  // go, and so do the joins of the moved units that no longer stand.
  void DropJoinsNotStanding(const CSnapEngine::CMoveEnd& end);
  // Whether the design joins each pair of sides.
  BOOL AllJoined(const std::vector<CSnapEngine::CProposedJoin>& proposed) const;
  // Verifies the parked join items and adds those that stand, each snapped where it stands
  // with its units when snapJoins is set; TRUE when one of them, or a join a new join's snap
  // moved, does not fit its sides.
  BOOL SettleNewJoins(BOOL snapJoins);
  // Both items are units, as joining needs them.
  BOOL JoinableUnits(CDesignItem* pMovingItem, CDesignItem* pStationaryItem, CUnitItem*& pMovingUnit,
                     CUnitItem*& pStationaryUnit) const;
  void ShowJoinPrompt(const CString& prompt);
  // Opening (Wbopen.cpp).
  BOOL BindToDesign();
  void SizeFrameToDesign();
  // Sizes the frame, widened for its bars within the MDI client.
  void SizeFrameWithItsBars(CWnd* pClient, CSize size);
  void RestoreStoredView();
  // The view of a design never stored from the Workbench: its stored size fills the view.
  void FitFirstView();
  // Shows the stored scale and scroll, or the design scaled to fit where the window does not
  // suit them (StoredViewSuitsWindow).
  void ApplyStoredView();
  // Whether the view shows the stored view as the window it was stored from showed it: the window
  // is as large, the design no smaller than a fit, and no less of it in view.
  BOOL StoredViewSuitsWindow() const;
  // Whether the design lay wholly inside the view it was stored with, at its largest.
  BOOL StoredViewShowedDesign() const;
  // Whether the design lies wholly inside a device rectangle of the given origin and size.
  BOOL DesignLiesWithin(CPoint origin, CSize size) const;
  void ReportUnopenable();
  void ShowPointerPosition(CPoint point);
  // The status texts tell lengths in the measurement units: once the units have changed, they are
  // told again as the pointer's last move and the selection told them.
  void RetellStatusTexts();
  // The main window's active frame is this Workbench's or another window of its project.
  BOOL IsProjectInFront() const;
  // Tools: the zoom commands.
  void SetZoomTool(int mode);
  // The joining order and capture distance from the product database; FALSE when it cannot be read.
  BOOL ReadJoiningTables();
  // Every item of the design that joins the unit item.
  void CollectJoins(CDesignItem* pUnitItem, CObList& joins) const;
  // Removes items of the design as RemoveItem removes each, in the order given, with one walk
  // over the design for all of them: a search of the design for each of thousands of joins
  // would cost the design's size for every one.
  void RemoveFromDesign(const std::vector<CDesignItem*>& items);
  // Takes the items out of the design's list in one walk; the others keep their order.
  void TakeOutOfDesign(const CPtrHashSet& items);
  // The rest of a removal once the item is out of its list: out of the selection and the
  // alignment tables, told, and deleted.
  void DiscardItem(CDesignItem* pItem);
  // The same for joins out of the list, with the same result as DiscardItem for each in turn.
  void DiscardJoins(const std::vector<CDesignItem*>& joins);
  // Out of the selection, and out of the temporary group of a moved selection.
  void ReleaseSelected(CDesignItem* pItem);
  // A join item holding one of the units.
  BOOL JoinsAnyOf(CDesignItem* pItem, const CPtrHashSet& units) const;
  // Verifies the joins whose units the test picks, whichever way round it is given them, and
  // removes those that fail.
  // The number of joins removed because they no longer fit their sides.
  int VerifyJoinsWhere(const std::function<bool(CUnitItem*, CUnitItem*)>& touches);

  int m_nEditMode = wemEditable;
  CObList* m_pItemList = nullptr;
  CObList m_SelectedItems;
  // Where each selected item stands in the selection: whether an item is selected is asked
  // for every item a command on the selection touches.
  CPtrHashMap<POSITION> m_SelectedAt;
  // While RemoveItems deletes them, the units and groups whose joins it has removed already.
  const CPtrHashSet* m_pRemovedTogether = nullptr;
  // Takes the item out of the selection lists, without telling the item; FALSE when it was not
  // selected.
  BOOL DropFromSelection(CDesignItem* pItem);
  CObList m_SelectorItems;
  CPlanSelectorItem* m_pPlanSelector = nullptr;
  // The joins kept aside by a drag, each with the place it held in the design's list: they go
  // back there, so that a drag that changes nothing leaves the stored order as it was.
  struct CDetachedJoin
  {
    CDesignItem* pJoin = nullptr;
    int index = 0;
  };
  std::vector<CDetachedJoin> m_DetachedJoins;
  // The temporary move group of the selection while it stands in the design.
  CMoveGroupItem* m_pMoveGroup = nullptr;
  // While a move's end makes its joins, the joins of the pairs of components found so far.
  std::map<std::pair<int, int>, CPairJoin>* m_pEndPairs = nullptr;
  // Join items made by a committed snap and not yet verified; owned until AddJoin settles them.
  CObList m_NewJoins;
  // A committed snap met a pair of facing sides that no joining type joins; AddJoin tells the user.
  BOOL m_bUnjoinablePair = FALSE;
  BOOL m_bUnjoinablePromptShown = FALSE;
  // An edited item is being snapped again where it stands.
  BOOL m_bResnapping = FALSE;
  // The measurement units the status texts were last told in, and the client point of the
  // pointer's position they last told.
  int m_nStatusUnits = -1;
  CPoint m_ptToldPointer;
  BOOL m_bPointerTold = FALSE;
  // Pane 1 held back by the running size text batches: a text, or the unit whose size it is.
  int m_nSizeTextBatches = 0;
  BOOL m_bSizeTextHeld = FALSE;
  CString m_strHeldSizeText;
  CUnitItem* m_pHeldSizeItem = nullptr;
  // Sets what the batches held back.
  void ReleaseSizeText();
  CTracker* m_pTracker = nullptr;
  std::array<std::unique_ptr<CWorkbenchTool>, wbtCount> m_Tools;
  CWorkbenchTool* m_pCurrentTool = nullptr;
  CDWordArray m_JoiningOrder;
  BOOL m_bJoiningTablesRead = FALSE;
  BOOL m_bShowJoins = TRUE;
  BOOL m_bSnapHighlights = TRUE;
  BOOL m_bAlignmentLinesOff = TRUE;
  BOOL m_bSnapOff = FALSE;
  BOOL m_bPlanViewShown = FALSE;
  BOOL m_bElevationViewShown = FALSE;
  BOOL m_bDetailViewShown = FALSE;
  BOOL m_bLockTool = FALSE;
  // The tool refused the last press (a guideline beyond the square) and stays chosen.
  BOOL m_bPressRefused = FALSE;
  // The frame took a new size since the stored view was last shown.
  BOOL m_bStoredViewDue = FALSE;
  std::unique_ptr<CMapECatToXLTGDIData> m_pCategoryMap;

  // Snapping and alignment.
  void InitSnapEngine();
  void NudgeOne(CDesignItem* pItem, const CVRX2DVector& move);
  // One item nudged as NudgeGroup nudges a selection of one: snapped and joined again, its own
  // lines out of the way while it moves.
  void NudgeSingle(CDesignItem* pItem, const CVRX2DVector& v);
  // What hint 6 asks for the item it names: drawn, its alignment entries filed, and a unit or
  // group snapped and joined again as its sheet left it.
  void RebuildEditedItem(CDesignItem* pItem);
  void ResnapEditedItem(CDesignItem* pItem);
  // A join's two sides and its spacing, held so that, the join gone, it can be told how its
  // units stand.
  struct CHeldJoin
  {
    CUnitItem* pFirst = nullptr;
    int nFirstIndex = -1;
    CUnitItem* pSecond = nullptr;
    int nSecondIndex = -1;
    double dSpacing = 0.0;
  };
  using CUnitPair = std::pair<const CUnitItem*, const CUnitItem*>;
  // The joins of the item's units (a group's members), by the pair of units each joins.
  std::map<CUnitPair, std::vector<CHeldJoin>> JoinsByPairOf(CDesignItem* pItem) const;
  // How the sides of a join that went stand now: closer than its spacing, the units in each
  // other; at least its spacing apart and within the reach of joining snaps, where snapping
  // joins them again; or apart, the units moved away from each other (Wbjoin.cpp).
  enum class EHeldJoinStand
  {
    Apart,
    WithinReach,
    TooClose
  };
  EHeldJoinStand HowHeldJoinStands(const CHeldJoin& join) const;
  // The prompt that tells why the joins went, as their units stand; empty where the units were
  // only moved apart.
  CString LostJoinsPrompt(const std::vector<CHeldJoin>& lost) const;
  // Keys (Wbcmds.cpp).
  void SelectNextItem(BOOL bBackwards);
  // The keypad's plus and minus: one zoom step about the centre of the window.
  void ZoomAboutCentre(int mode);
  void NudgeByKey(UINT nChar);
  // Clipboard (Wbclipvw.cpp).
  CVRX2DVector m_vPasteOrigin;
  // The point that opened the last context menu: the right-button press over the world area.
  CPoint m_ptContextPoint;
  // What the engine asks of the items: the join search, group members, unit outlines.
  std::unique_ptr<CSnapHost> m_pSnapHost;
  CSnapEngine m_Snap;
};

// The status texts of the view's own commands.
void RegisterViewCommandStrings();
