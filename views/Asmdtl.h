#pragma once
// Builds the construction details the detail selector chose: the section through one side of a
// unit, two facing sides at a distance, or a joining situation of two sides and the join between
// them. Each detail takes the option choices of its unit or join (and, at a join, the overrides
// the joining tables give), is turned upright and placed relative to the others.
#include "platform/core/Object.h"

class CDetailSpecification;
class CProductBase;
class CVRX2DEntityArray;
class CVRX2DPoint;
class CVRXAngle;

class CDetailAssembler : public CObject
{
  DECLARE_DYNAMIC(CDetailAssembler)
public:
  // The flange mode that leaves out the installation flange; any other value keeps it.
  static constexpr int kHideFlange = 1;

  // Each form replaces the contents of out and rewrites the option choices of the specifications
  // it is given. TRUE when the details were made; when the specifications cannot be drawn (a joining
  // situation whose sides are not oriented 0 and 1, missing or bad product records) the failure
  // is traced, out is left empty and FALSE is returned.
  BOOL Assemble(int flangeMode, CDetailSpecification* pSpec, CProductBase* pProduct, CVRX2DEntityArray* pOut);
  BOOL Assemble(int flangeMode, CDetailSpecification* pFirst, CProductBase* pFirstProduct, double offset,
                CDetailSpecification* pSecond, CProductBase* pSecondProduct, CVRX2DEntityArray* pOut);
  BOOL Assemble(int flangeMode, CDetailSpecification* pFirst, CProductBase* pFirstProduct, double firstDistance,
                CDetailSpecification* pSecond, CProductBase* pSecondProduct, double secondDistance,
                CDetailSpecification* pJoinSpec, CProductBase* pJoin, CVRX2DEntityArray* pOut);

  // The product's current choice (as it applies to the product) of each of its categories.
  static void CopyOptionChoices(CDetailSpecification& spec, const CProductBase* pProduct);
  // Generates the detail, turns it upright, moves it to the point and appends it to out.
  static void GenerateAt(CVRX2DEntityArray& out, const CDetailSpecification& spec, const CVRX2DPoint& point,
                         int hideFlange);
  static void RemoveFlangeEntities(CVRX2DEntityArray& entities);
  static void OrientDetail(const CVRXAngle& angle, CVRX2DEntityArray& entities);
  // Moves every entity of source to the end of out; source is left empty.
  static void MoveEntities(CVRX2DEntityArray& out, CVRX2DEntityArray& source);

private:
  void AssembleSingle(int flangeMode, CDetailSpecification& spec, const CProductBase* pProduct, CVRX2DEntityArray& out);
  void AssemblePair(int flangeMode, CDetailSpecification& first, const CProductBase* pFirstProduct, double offset,
                    CDetailSpecification& second, const CProductBase* pSecondProduct, CVRX2DEntityArray& out);
  void AssembleJoining(int flangeMode, CDetailSpecification& first, const CProductBase* pFirstProduct,
                       double firstDistance, CDetailSpecification& second, const CProductBase* pSecondProduct,
                       double secondDistance, CDetailSpecification& joinSpec, const CProductBase* pJoin,
                       CVRX2DEntityArray& out);
};

// The joining tables' option overrides of the two sides of a join.
class CJoinDetailOptions : public CObject
{
public:
  void Apply(CDetailSpecification& first, CDetailSpecification& second, const CDetailSpecification& join);
  void ApplyToSide(int thisId, int otherId, int joinId, CDetailSpecification& spec);
};
