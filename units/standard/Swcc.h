#pragma once
// The casement/awning circle top "SWCC006": rings about a hub on the glass line with spokes out to the inner arch,
// drawn for every grille choice but none and grille-ready.
#include "units/standard/Circltop.h"

class CSWCasementAwningCircleTop : public CStandardCircleTop
{
  DECLARE_DYNAMIC(CSWCasementAwningCircleTop)
public:
  // Only the unit factory makes one: the first standard size of the key.
  CSWCasementAwningCircleTop();
  CSWCasementAwningCircleTop(const CSWCasementAwningCircleTop& source) = default;

  CUnit& operator=(const CUnit& source) override;
  CUnit* Clone() const override;
  void GetGrilleEntities(int lines, CVRX2DEntityArray& out) const override;
};
