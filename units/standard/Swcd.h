#pragma once
// The double-hung circle top "SWCD007": rings about a hub on the glass line with spokes out to the inner arch,
// drawn for every grille choice but none and grille-ready.
#include "units/standard/Circltop.h"

class CSWDoubleHungCircleTop : public CStandardCircleTop
{
  DECLARE_DYNAMIC(CSWDoubleHungCircleTop)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWDoubleHungCircleTop();
  CSWDoubleHungCircleTop(const CSWDoubleHungCircleTop& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const override;
};
