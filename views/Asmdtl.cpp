#include "views/Asmdtl.h"

#include <cmath>
#include <functional>

#include "geometry/2dmatrix.h"
#include "geometry/Entity.h"
#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "geometry/Angle.h"
#include "model/Dtlgen.h"
#include "model/Dtlspec.h"
#include "model/Entcat.h"
#include "model/Prodbase.h"
#include "productdb/Componet.h"
#include "productdb/Joinoptx.h"
#include "productdb/Optcats.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

IMPLEMENT_DYNAMIC(CDetailAssembler, CObject)

namespace {

constexpr const char* kModule = "Asmdtl";
constexpr int kLineSidesNotFacing = 166;

// The component record's depth, and whether the component is a perimeter member ("P"). A detail
// id without a record has no depth and is no member.
struct CComponentDepth
{
  double depth = 0.0;
  BOOL bPerimeter = FALSE;
};

CComponentDepth DepthOf(const CDetailSpecification& spec)
{
  CComponetRec record(spec.GetDetailID());
  if (record.GetComponent() == 0)
    return {};
  return {record.GetField60(), record.GetField55() == "P"};
}

void MoveAll(CVRX2DEntityArray& entities, double dy)
{
  entities.Transform(CVRX2DTransformationMatrix(CVRX2DVector(0.0, dy)));
}

// Runs one assembly; a failure of the product data or the model empties out and answers FALSE.
BOOL Guarded(CVRX2DEntityArray* pOut, const std::function<void(CVRX2DEntityArray&)>& assemble)
{
  if (!pOut)
    return FALSE;
  try {
    assemble(*pOut);
    return TRUE;
  } catch (const CException& e) {
    PCTRACE(TT_ASSEMBLERS, TL_WARNING)("Detail assembly failed: %s\n", static_cast<const char*>(e.GetErrorMessage()));
    pOut->RemoveAll();
    return FALSE;
  }
}

}  // namespace

BOOL CDetailAssembler::Assemble(int flangeMode, CDetailSpecification* pSpec, CProductBase* pProduct,
                                CVRX2DEntityArray* pOut)
{
  if (!pSpec)
    return FALSE;
  return Guarded(pOut, [&](CVRX2DEntityArray& out) { AssembleSingle(flangeMode, *pSpec, pProduct, out); });
}

BOOL CDetailAssembler::Assemble(int flangeMode, CDetailSpecification* pFirst, CProductBase* pFirstProduct,
                                double offset, CDetailSpecification* pSecond, CProductBase* pSecondProduct,
                                CVRX2DEntityArray* pOut)
{
  if (!pFirst || !pSecond)
    return FALSE;
  return Guarded(pOut, [&](CVRX2DEntityArray& out) {
    AssemblePair(flangeMode, *pFirst, pFirstProduct, offset, *pSecond, pSecondProduct, out);
  });
}

BOOL CDetailAssembler::Assemble(int flangeMode, CDetailSpecification* pFirst, CProductBase* pFirstProduct,
                                double firstDistance, CDetailSpecification* pSecond, CProductBase* pSecondProduct,
                                double secondDistance, CDetailSpecification* pJoinSpec, CProductBase* pJoin,
                                CVRX2DEntityArray* pOut)
{
  if (!pFirst || !pSecond || !pJoinSpec)
    return FALSE;
  return Guarded(pOut, [&](CVRX2DEntityArray& out) {
    AssembleJoining(flangeMode, *pFirst, pFirstProduct, firstDistance, *pSecond, pSecondProduct, secondDistance,
                    *pJoinSpec, pJoin, out);
  });
}

void CDetailAssembler::AssembleSingle(int flangeMode, CDetailSpecification& spec, const CProductBase* pProduct,
                                      CVRX2DEntityArray& out)
{
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("CDetailAssembler: Assembling a single detail specification.\n");
  CopyOptionChoices(spec, pProduct);
  out.RemoveAll();
  GenerateAt(out, spec, CVRX2DPoint(0.0, 0.0), flangeMode == kHideFlange);
  const CComponentDepth component = DepthOf(spec);
  if (component.bPerimeter)
    MoveAll(out, spec.GetOrientation() != 0 ? component.depth : -component.depth);
}

void CDetailAssembler::AssemblePair(int flangeMode, CDetailSpecification& first, const CProductBase* pFirstProduct,
                                    double offset, CDetailSpecification& second, const CProductBase* pSecondProduct,
                                    CVRX2DEntityArray& out)
{
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("CDetailAssembler: Assembling a two detail specifications.\n");
  out.RemoveAll();
  const double depth1 = DepthOf(first).depth;
  const double depth2 = DepthOf(second).depth;
  CopyOptionChoices(first, pFirstProduct);
  CopyOptionChoices(second, pSecondProduct);
  // The detail oriented 0 lies above the other, offset away.
  const BOOL firstAbove = first.GetOrientation() == 0;
  const CVRX2DPoint firstPlace(0.0, firstAbove ? offset : 0.0);
  const CVRX2DPoint secondPlace(0.0, firstAbove ? 0.0 : offset);
  const double e1 = firstAbove ? offset + depth1 : -depth1;
  const double e2 = firstAbove ? -depth2 : offset + depth2;
  GenerateAt(out, first, firstPlace, flangeMode == kHideFlange);
  GenerateAt(out, second, secondPlace, flangeMode == kHideFlange);
  // Centred vertically between the two far edges.
  MoveAll(out, -(e1 + e2) * 0.5);
}

void CDetailAssembler::AssembleJoining(int flangeMode, CDetailSpecification& first, const CProductBase* pFirstProduct,
                                       double firstDistance, CDetailSpecification& second,
                                       const CProductBase* pSecondProduct, double secondDistance,
                                       CDetailSpecification& joinSpec, const CProductBase* pJoin,
                                       CVRX2DEntityArray& out)
{
  PCTRACE(TT_ASSEMBLERS, TL_DETAIL)("CDetailAssembler: Assembling a joining situation.\n");
  out.RemoveAll();
  if (first.GetOrientation() != 0 || second.GetOrientation() != 1)
    throw CAppException(kModule, kLineSidesNotFacing);
  CopyOptionChoices(first, pFirstProduct);
  CopyOptionChoices(second, pSecondProduct);
  CopyOptionChoices(joinSpec, pJoin);
  // The joining tables' overrides come after the products' choices and win over them.
  CJoinDetailOptions().Apply(first, second, joinSpec);
  const BOOL hide = flangeMode == kHideFlange;
  GenerateAt(out, first, CVRX2DPoint(0.0, firstDistance), hide);
  GenerateAt(out, second, CVRX2DPoint(0.0, -secondDistance), hide);
  GenerateAt(out, joinSpec, CVRX2DPoint(0.0, 0.0), hide);
}

void CDetailAssembler::CopyOptionChoices(CDetailSpecification& spec, const CProductBase* pProduct)
{
  spec.DeleteOptionChoices();
  if (!pProduct)
    return;
  COptCatsRecArray categories;
  pProduct->GetOptionCategories(categories);
  for (int i = 0; i < categories.GetSize(); ++i) {
    const int category = categories[i]->GetCategory();
    spec.SetOptionChoice(category, pProduct->GetOptionChoice(category, 1));
  }
}

void CDetailAssembler::GenerateAt(CVRX2DEntityArray& out, const CDetailSpecification& spec, const CVRX2DPoint& point,
                                  int hideFlange)
{
  CVRX2DEntityArray entities;
  CDetailEntityGenerator().Generate(spec, entities);
  if (hideFlange)
    RemoveFlangeEntities(entities);
  OrientDetail(CVRXAngle(spec.GetAngle().GetRadians() + VRX_PI / 2.0), entities);
  entities.Transform(CVRX2DTransformationMatrix(point.AsVector()));
  MoveEntities(out, entities);
}

void CDetailAssembler::RemoveFlangeEntities(CVRX2DEntityArray& entities)
{
  for (int i = entities.GetSize() - 1; i >= 0; --i)
    if (entities[i] && entities[i]->GetCategory() == ecatDetailFlange)
      entities.RemoveAt(i);
}

// The detail lies across its cut; a quarter turn one way or the other, whichever is nearer,
// stands it upright.
void CDetailAssembler::OrientDetail(const CVRXAngle& angle, CVRX2DEntityArray& entities)
{
  const double t = angle.GetRadians();
  const double a = t > VRX_PI / 4.0 && t < 5.0 * VRX_PI / 4.0 + 1e-13 ? t - VRX_PI / 2.0 : t + VRX_PI / 2.0;
  entities.Transform(CVRX2DTransformationMatrix(CVRXAngle(-CVRXAngle(a).GetRadians())));
}

void CDetailAssembler::MoveEntities(CVRX2DEntityArray& out, CVRX2DEntityArray& source)
{
  out.Append(source);
  source.RemoveAllNoDelete();
}

void CJoinDetailOptions::Apply(CDetailSpecification& first, CDetailSpecification& second,
                               const CDetailSpecification& join)
{
  const int firstId = first.GetDetailID();
  const int secondId = second.GetDetailID();
  ApplyToSide(firstId, secondId, join.GetDetailID(), first);
  ApplyToSide(secondId, firstId, join.GetDetailID(), second);
}

void CJoinDetailOptions::ApplyToSide(int thisId, int otherId, int joinId, CDetailSpecification& spec)
{
  CJoinOptXRec row;
  row.SetField1(thisId);
  row.SetField5(otherId);
  row.SetField9(joinId);
  row.SetField13(0);
  row.SetField17(0);
  BOOL atEnd = FALSE;
  int found = row.SeekGE(1, &atEnd);
  while (found == 0 && !atEnd && row.GetField1() == thisId && row.GetField5() == otherId && row.GetField9() == joinId) {
    spec.SetOptionChoice(row.GetField13(), row.GetField17());
    found = row.Next(&atEnd);
  }
}
