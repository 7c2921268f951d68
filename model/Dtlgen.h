#pragma once
// Builds the drawn cross-section of a detail (a member of a unit or a joint between units) from
// the component tables: the detail's member components placed by COMPSETS, their stored entities
// from ENTITIES, markers turned into extension lines, and break lines across the section.
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CDetailSpecification;
class CVRX2DEntityArray;

class CDetailEntityGenerator : public CObject
{
public:
  // Replaces the contents of `out` with the section, in the detail's own coordinates (inches).
  // Missing rows and unknown category names or kinds throw; `out` may then hold part of it.
  void Generate(const CDetailSpecification& spec, CVRX2DEntityArray& out);

  // Category of an ENTITIES category name; -1 for a name that has none.
  static int CategoryOfName(const CString& name);
};
