#pragma once
// Designs of realistic size for benches over many designs: two gliders side by side with their
// join, a double-hung and a free-form unit, each unit with options chosen; sizes and options vary
// with the index. Making a unit asks the catalogue, so a bench makes a few dozen distinct designs
// and stores copies of them under names of their own.
#include <iterator>

#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "model/Stdunit.h"
#include "model/Join.h"
#include "project/Design.h"
#include "project/Dsgstore.h"
#include "workbench/items/Joinitem.h"
#include "workbench/items/Unititem.h"

namespace bench {

// Glider sides in its component outlines.
constexpr int kRightJamb = 2;
constexpr int kLeftJamb = 5;

inline CUnitItem* MakeUnitItem(const char* type, const char* subtype, const char* size, int glazing)
{
  auto* pItem = new CUnitItem(type, subtype);
  CUnit* pUnit = pItem->GetUnit();
  if (auto* pStandard = dynamic_cast<CStandardUnit*>(pUnit))
    pStandard->SetSizeCode(size);
  pUnit->SetOptionChoice(1, glazing);
  pUnit->SetOptionChoice(5, 1 + glazing % 3);
  pItem->UpdateUnitInfo();
  return pItem;
}

// The join of two units standing side by side, the right one moved against the left one.
inline CJoinItem* JoinSideBySide(CUnitItem* pLeft, CUnitItem* pRight, double x, double y)
{
  const int movingID = pRight->GetUnit()->GetComponentID(kLeftJamb);
  const int stationaryID = pLeft->GetUnit()->GetComponentID(kRightJamb);
  auto* pJoin = new CJoinItem(CVRX2DPoint(x, y + 20.0), CVRX2DPoint(x, y), 1, movingID, stationaryID);
  if (pJoin->GetJoin()) {
    pJoin->AddUnit(1, pRight, kLeftJamb, movingID, pJoin->GetJoin()->GetFirstOffset());
    pJoin->AddUnit(2, pLeft, kRightJamb, stationaryID, pJoin->GetJoin()->GetSecondOffset());
  }
  return pJoin;
}

inline CDesignStore MakeDesign(int index)
{
  static const char* const gliderSizes[] = {"GL3020", "GL3030", "GL4030", "GL4040", "GL5030", "GL6040", "GL7050"};
  static const char* const doubleHungSizes[] = {"KC2640", "KC2650", "KC3050", "KC3060"};
  CDesign design;
  design.SetName(CString::Formatted("Design %06d", index));
  design.GetDesignData().SetQuantity(1 + index % 4);
  const char* glider = gliderSizes[index % std::size(gliderSizes)];
  CUnitItem* pLeft = MakeUnitItem("GL", "BA005", glider, 1 + index % 4);
  CUnitItem* pRight = MakeUnitItem("GL", "BA005", glider, 1 + (index + 1) % 4);
  pRight->Offset(CVRX2DVector(pLeft->GetWidth(), 0.0));
  design.GetItemList().AddTail(pLeft);
  design.GetItemList().AddTail(pRight);
  design.GetItemList().AddTail(JoinSideBySide(pLeft, pRight, pLeft->GetWidth(), 0.0));
  design.GetItemList().AddTail(MakeUnitItem("DH", "KC003", doubleHungSizes[index % std::size(doubleHungSizes)], 2));
  design.GetItemList().AddTail(MakeUnitItem("VG", "RE010", "", 1 + index % 2));
  CDesignStore store;
  store.Store(&design);
  return store;
}

}  // namespace bench
