#pragma once
// The baseline of benches that make something of every stored design of a project: each stored
// design rebuilt from its bytes in project order and its units counted, which every pass over
// the designs must at least do, with nothing made of them. It grows as the designs do.
#include "document/Doc.h"
#include "platform/core/List.h"
#include "project/Design.h"

namespace bench {

inline int CountStoredUnits(CDoc& doc)
{
  int units = 0;
  CDesignWalk walk;
  for (CDesign* pDesign = doc.GetFirstDesign(walk); pDesign; pDesign = doc.GetNextDesign(walk)) {
    CObList list;
    pDesign->GetUnitsInDesign(list, FALSE);
    units += static_cast<int>(list.GetCount());
  }
  return units;
}

}  // namespace bench
