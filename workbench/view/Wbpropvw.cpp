// The view's side of the property sheets: the Workbench properties and the "Alignment Lines"
// dialog, whose settings go into the sheet and come back from it on OK, and the item sheets'
// hint, on which the item whose sheet it was is built again.
#include "document/Dochints.h"
#include "document/Hint.h"
#include "support/Trace.h"
#include "ui/docview/Doc.h"
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
    NudgeSingle(pItem, CVRX2DVector());
  } else {
    UpdateAlignmentEntities(pItem);
  }
}
