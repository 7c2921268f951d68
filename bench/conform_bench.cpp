// One step of a sizing drag: the rectangular conformer (glider) and the arched conformer, each
// running some twenty index seeks on the standard-size table, against one size lookup by code
// on the same table as the baseline. The drags alternate so that every step changes the size.
// A step of either should cost at most thirty lookups: its seeks and the arithmetic around them.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchRatio.h"
#include "model/Sizecomp.h"
#include "model/Stdarch.h"
#include "productdb/Stdsizes.h"
#include "productdb/txrecobj.h"
#include "units/standard/Glba.h"

namespace {

// The least an arched unit needs to be conformed: members whose start points are its corners.
class CBenchArch : public CStandardArchedUnit
{
public:
  CBenchArch() : CStandardArchedUnit("AR", "BA011") {}
  CUnit* Clone() const override { return new CBenchArch(*this); }
  void GetPlanSectionEntities(double, const CPlanSectionSwitches&, const CPlanSectionPreferences&,
                              CVRX2DEntityArray&) const override
  {}
  CVRX2DVector GetProposedOutlineEntities(CVRX2DEntityArray&) const override { return m_vProposedOffset; }
  void BuildSizedComponents() const override
  {
    const double w = GetWidth();
    const double s = GetShoulderHeight();
    const CVRX2DPoint corners[] = {CVRX2DPoint(0, 0), CVRX2DPoint(w, 0), CVRX2DPoint(w, s), CVRX2DPoint(0, s)};
    for (int i = 0; i < 4; ++i)
      m_pSizedComponents->Add(new CSizedComponent("XX", 0, "P", corners[i], corners[(i + 1) % 4]));
  }
  void Get1LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get2LineElevationEntities(int, CVRX2DEntityArray&) const override {}
  void Get3LineElevationEntities(int, CVRX2DEntityArray&) const override {}
};

void UseCatalogue() { CTXRecObj::SetDatabaseDirectory(PANECRAFT_TXDB_DIR); }

void BM_FindSizeByCode(benchmark::State& state)
{
  UseCatalogue();
  CStdSizesRec row("GL", "BA005", "GL4030");
  const char* codes[] = {"GL4030", "GL5040"};
  int i = 0;
  for (auto _ : state) {
    row.SetSizeCode(codes[i ^= 1]);
    benchmark::DoNotOptimize(row.Find(1));
  }
}
BENCHMARK(BM_FindSizeByCode);

template <class Unit>
void Conform(benchmark::State& state, Unit& unit)
{
  const CVRX2DVector drags[] = {CVRX2DVector(11.0, 13.0), CVRX2DVector(-1.0, 1.0)};
  int i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(unit.ConformProposedSize(2, drags[i ^= 1]));
}

void BM_RectangularConform(benchmark::State& state)
{
  UseCatalogue();
  CGLBasic unit;
  unit.SetSizeCode("GL4030");
  Conform(state, unit);
}
BENCHMARK(BM_RectangularConform);

void BM_ArchedConform(benchmark::State& state)
{
  UseCatalogue();
  CBenchArch unit;
  unit.SetSizeCode("AR4040R36");
  Conform(state, unit);
}
BENCHMARK(BM_ArchedConform);

const CBenchRatio kRectangular("rectangular conform / size lookup", "BM_RectangularConform", "BM_FindSizeByCode", 30.0);
const CBenchRatio kArched("arched conform / size lookup", "BM_ArchedConform", "BM_FindSizeByCode", 30.0);

}  // namespace
