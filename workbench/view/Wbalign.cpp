// The view's side of the alignment tables: handing every item's alignment entities to the snap
// engine, keeping them in step with the items, and the two view-wide alignment modes.
#include <vector>

#include "model/Entcat.h"
#include "support/Exceptn.h"
#include "workbench/items/Dsgnitem.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Unititem.h"
#include "workbench/view/Wbview.h"

namespace {
constexpr const char* kModule = "Wbalign";
constexpr int kModeLine = 1358;

int FlagForMode(int mode, int line)
{
  if (mode != 0 && mode != 1)
    throw CAppFatalException(kModule, line);
  return mode == 0;
}
}  // namespace

void CWorkbenchView::AddAlignmentEntities(CDesignItem* pItem) { AddAlignmentEntities(pItem, nullptr); }

void CWorkbenchView::AddAlignmentEntities(CDesignItem* pItem, std::vector<CAlignmentEntity*>* pSpare)
{
  if (!pItem->GetSnapToAlignmentLines())
    return;
  CVRX2DEntityArray* pEntities = pItem->GetAlignmentEntities();
  auto* pUnitItem = dynamic_cast<CUnitItem*>(pItem);
  size_t spare = 0;
  const auto entry = [&](const CVRX2DEntity& entity) {
    if (!pSpare || spare == pSpare->size())
      return new CAlignmentEntity(entity, pItem, 1);
    CAlignmentEntity* pEntry = (*pSpare)[spare];
    (*pSpare)[spare++] = nullptr;
    pEntry->Reuse(entity, pItem, 1);
    return pEntry;
  };
  for (int i = 0; i < pEntities->GetSize(); ++i) {
    const CVRX2DEntity& entity = *pEntities->GetAt(i);
    if (entity.GetType() == VRX_ARC) {
      m_Snap.AddEntry(entry(entity));
      continue;
    }
    if (entity.GetType() != VRX_LINE)
      continue;
    const int category = entity.GetCategory();
    if (!pItem->IsAlignmentSource() && category != ecatAlwaysOfferedAlignment)
      continue;
    CAlignmentEntity* pEntry = entry(entity);
    if (category == ecatPerimeterAlignment && pUnitItem)
      pUnitItem->CollectColinearSides(*pEntry, i);
    m_Snap.AddEntry(pEntry);
  }
}

void CWorkbenchView::RemoveAlignmentEntities(CDesignItem* pItem) { m_Snap.RemoveItem(pItem); }

void CWorkbenchView::UpdateAlignmentEntities(CDesignItem* pItem)
{
  // The entries taken out are filled in again rather than deleted and made anew; those not
  // needed again go when this returns or throws.
  struct CSpare
  {
    std::vector<CAlignmentEntity*> entries;
    ~CSpare()
    {
      for (CAlignmentEntity* pEntry : entries)
        delete pEntry;
    }
  } spare;
  m_Snap.RemoveItem(pItem, &spare.entries);
  AddAlignmentEntities(pItem, &spare.entries);
}

void CWorkbenchView::EnableAlignmentEntities(CDesignItem* pItem, BOOL bEnable)
{
  m_Snap.SetItemEnabled(pItem, bEnable);
  // A group's units offer their own entries too.
  if (pItem->GetItemType() == ditGroup) {
    CObList units;
    static_cast<CGroupItem*>(pItem)->GetUnitsInGroup(units, FALSE);
    for (POSITION pos = units.GetHeadPosition(); pos;)
      if (auto* pUnit = static_cast<CDesignItem*>(units.GetNext(pos)); pUnit->GetItemType() == ditUnit)
        EnableAlignmentEntities(pUnit, bEnable);
  }
}

void CWorkbenchView::SetAlignmentModes(int showMode, int snapMode)
{
  const int show = FlagForMode(showMode, kModeLine);
  const int snap = FlagForMode(snapMode, kModeLine);
  m_bAlignmentLinesOff = showMode;
  m_bSnapOff = snapMode;
  if (m_pItemList) {
    for (POSITION pos = m_pItemList->GetHeadPosition(); pos;) {
      auto* pItem = static_cast<CDesignItem*>(m_pItemList->GetNext(pos));
      pItem->SetShowAlignmentLines(show);
      pItem->SetSnapToAlignmentLines(snap);
      UpdateAlignmentEntities(pItem);
    }
  }
  if (GetSafeHwnd())
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CWorkbenchView::GetAlignmentModes(int& showMode, int& snapMode) const
{
  showMode = m_bAlignmentLinesOff ? 1 : 0;
  snapMode = m_bSnapOff ? 1 : 0;
}
