#pragma once
// Designs of many awnings of one size standing in rows, as the benches that open a large design
// on the Workbench store them: 50 to a row, 26 inches apart, the rows as far apart as asked.
// Making a unit asks the catalogue, so the program's classes and catalogue are set up first.
#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "model/Stdunit.h"
#include "project/Design.h"
#include "project/Dsgstore.h"
#include "workbench/items/Unititem.h"

namespace bench {

constexpr int kAwningColumns = 50;
constexpr double kAwningStep = 26.0;

inline CUnitItem* MakeAwning(double x, double y)
{
  auto* pItem = new CUnitItem("AW", "BA002");
  if (auto* pUnit = dynamic_cast<CStandardUnit*>(pItem->GetUnit()))
    pUnit->SetSizeCode("AW2020");
  pItem->UpdateUnitInfo();
  pItem->Offset(CVRX2DVector(x, y));
  return pItem;
}

// Where the awning of that index stands, the first at (margin, margin).
inline CVRX2DPoint AwningPoint(int index, double margin, double rowStep)
{
  return CVRX2DPoint(margin + (index % kAwningColumns) * kAwningStep, margin + (index / kAwningColumns) * rowStep);
}

inline CDesignStore MakeAwningsDesign(const CString& name, int units, double margin, double rowStep)
{
  CDesign design;
  design.SetName(name);
  design.GetDesignData().SetQuantity(1);
  for (int i = 0; i < units; ++i) {
    const CVRX2DPoint p = AwningPoint(i, margin, rowStep);
    design.GetItemList().AddTail(MakeAwning(p.GetX(), p.GetY()));
  }
  CDesignStore store;
  store.Store(&design);
  return store;
}

}  // namespace bench
