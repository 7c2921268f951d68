#include "reports/Rptwalk.h"

#include "document/Doc.h"
#include "platform/core/List.h"
#include "ui/dlg/Progress.h"
#include "support/Trace.h"
#include "workbench/items/Unititem.h"

void ForEachReportUnit(CDoc* pDoc, const std::function<void(CDesign& design, CUnitItem& item)>& visit,
                       CProgress* pProgress)
{
  CDesignWalk walk;
  int done = 0;
  for (CDesign* pDesign = pDoc->GetFirstDesign(walk); pDesign; pDesign = pDoc->GetNextDesign(walk), ++done) {
    if (pProgress && !pProgress->Step(done))
      throw CReportCancelled();
    PCTRACE(TT_REPORTS, TL_DETAIL)("Design = %s \n", pDesign->GetName().c_str());
    CObList units;
    pDesign->GetUnitsInDesign(units, FALSE);
    for (POSITION pos = units.GetHeadPosition(); pos;) {
      auto* pItem = dynamic_cast<CUnitItem*>(units.GetNext(pos));
      if (!pItem)
        continue;
      PCTRACE(TT_REPORTS, TL_DETAIL)("Unit = %s \n", (pItem->GetType() + "," + pItem->GetSubtype()).c_str());
      visit(*pDesign, *pItem);
    }
  }
}
