// The view's side of the property sheets: the Workbench properties and the "Alignment Lines"
// dialog, whose settings go into the sheet and come back from it on OK, and the item sheets'
// hint, on which the item whose sheet it was is built again.
#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "document/Dochints.h"
#include "document/Hint.h"
#include "support/Trace.h"
#include "ui/docview/Doc.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"
#include "workbench/sheets/Wbprops.h"
#include "workbench/view/Wbview.h"

void CWorkbenchView::OnWorkbenchProperties()
{
  PCTRACE(TT_DIALOG_BOXES, TL_DETAIL)("Opening the Workbench properties.\n");
  CWorkbenchPropertiesDlg sheet(this);
  sheet.m_JoiningPage.m_bAutoJoin = GetAutoJoin();
  sheet.m_JoiningPage.m_bMarkers = m_bShowJoins;
  sheet.m_JoiningPage.m_Order.Copy(m_JoiningOrder);
  sheet.m_AlignmentPage.m_nShowChoice = m_bAlignmentLinesOff ? 1 : 0;
  sheet.m_AlignmentPage.m_nSnapChoice = m_bSnapOff ? 1 : 0;
  if (sheet.DoModal() != IDOK)
    return;
  if (sheet.m_JoiningPage.m_bMarkers != m_bShowJoins)
    Invalidate(TRUE);
  SetAutoJoin(sheet.m_JoiningPage.m_bAutoJoin);
  m_bShowJoins = sheet.m_JoiningPage.m_bMarkers;
  m_JoiningOrder.RemoveAll();
  m_JoiningOrder.Copy(sheet.m_JoiningPage.m_Order);
  SetAlignmentModes(sheet.m_AlignmentPage.m_nShowChoice == 0 ? 0 : 1, sheet.m_AlignmentPage.m_nSnapChoice == 0 ? 0 : 1);
}

void CWorkbenchView::OnAlignmentLines()
{
  CAlignmentLinesDlg dialog(this);
  dialog.DoModal();
}

void CWorkbenchView::SendItemPropertiesHint(CDesignItem* pItem)
{
  CHint hint(pItem);
  if (CDocument* pDoc = GetDocument())
    pDoc->UpdateAllViews(nullptr, kHintItemProperties, &hint);
}

std::map<CWorkbenchView::CUnitPair, std::vector<CWorkbenchView::CHeldJoin>>
CWorkbenchView::JoinsByPairOf(CDesignItem* pItem) const
{
  std::map<CUnitPair, std::vector<CHeldJoin>> joins;
  std::unordered_set<const CDesignItem*> units;
  if (auto* pGroup = dynamic_cast<CGroupItem*>(pItem)) {
    CObList members;
    pGroup->GetUnitsInGroup(members, FALSE);
    for (POSITION pos = members.GetHeadPosition(); pos;)
      units.insert(static_cast<CDesignItem*>(members.GetNext(pos)));
  } else {
    units.insert(pItem);
  }
  for (POSITION pos = m_pItemList ? m_pItemList->GetHeadPosition() : nullptr; pos;) {
    auto* pJoin = dynamic_cast<CJoinItem*>(m_pItemList->GetNext(pos));
    CHeldJoin held;
    if (pJoin)
      pJoin->GetUnitItems(held.pFirst, held.pSecond);
    if (!held.pFirst || !held.pSecond || !(units.count(held.pFirst) || units.count(held.pSecond)))
      continue;
    held.nFirstIndex = pJoin->GetFirstSide().m_nComponentIndex;
    held.nSecondIndex = pJoin->GetSecondSide().m_nComponentIndex;
    held.dSpacing = std::abs(pJoin->GetTotalSpacing());
    joins[std::minmax<const CUnitItem*>(held.pFirst, held.pSecond)].push_back(held);
  }
  return joins;
}

// Snapped again where it stands, the item makes its joins anew; one it loses is told for the
// reason that holds where the two units now stand, unless the re-snap's joining told already (a
// pair without a joining type), and it is not pulled against a unit it faces.
void CWorkbenchView::ResnapEditedItem(CDesignItem* pItem)
{
  const auto before = JoinsByPairOf(pItem);
  struct CResnapping
  {
    BOOL& flag;
    ~CResnapping() { flag = FALSE; }
  } resnapping{m_bResnapping = TRUE};
  NudgeSingle(pItem, CVRX2DVector());
  resnapping.flag = FALSE;
  const auto after = JoinsByPairOf(pItem);
  std::vector<CHeldJoin> lost;
  for (const auto& [pair, joins] : before)
    if (!after.count(pair))
      lost.insert(lost.end(), joins.begin(), joins.end());
  // What the re-snap's own joining told stands.
  if (lost.empty() || m_bUnjoinablePromptShown)
    return;
  const CString prompt = LostJoinsPrompt(lost);
  if (!prompt.IsEmpty())
    ShowJoinPrompt(prompt);
}

void CWorkbenchView::RebuildEditedItem(CDesignItem* pItem)
{
  pItem->Invalidate(this);
  if (auto* pUnitItem = dynamic_cast<CUnitItem*>(pItem)) {
    pUnitItem->UpdateUnitInfo();
    pUnitItem->DisplaySizeInfo(this);
  }
  // The new shape may reach where the old one did not.
  pItem->Invalidate(this);
  const int type = pItem->GetItemType();
  if (type == ditUnit || type == ditGroup) {
    SetSnapRanges();
    ResnapEditedItem(pItem);
  } else {
    UpdateAlignmentEntities(pItem);
    // The bar told what the item was where the pointer found it; a sheet may have moved it away.
    SetPaneText(1, pItem->GetDescription());
  }
}
