// Reads any text as the stored attributes of a free-form or custom arched unit (the first byte
// picks the key), then sizes, draws, cuts and stores the unit. Bad text may only end in the
// program's exception; no outline, proposed outline or handle may hold a coordinate that is not a
// number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dptent.h"
#include "geometry/2drect.h"
#include "model/Plansect.h"
#include "model/Rptdata.h"
#include "model/Sizing.h"
#include "model/Unitutil.h"
#include "model/Varigon.h"
#include "productdb/txrecobj.h"
#include "support/ComExcpt.h"
#include "units/freeform/Vgreg.h"
#include "units/standard/Stdreg.h"

namespace {

struct Key
{
  const char* type;
  const char* subtype;
};

// Corpusgen's seeds name these by index: append, never reorder.
const Key kKeys[] = {{"VG", "DI010"}, {"VG", "HP010"}, {"VG", "HX010"}, {"VG", "IT010"}, {"VG", "OC010"},
                     {"VG", "P1010"}, {"VG", "P2010"}, {"VG", "PP010"}, {"VG", "RE010"}, {"VG", "RH010"},
                     {"VG", "T1010"}, {"VG", "T2010"}, {"VG", "TZ010"}, {"VG", "VP010"}, {"AR", "S1013"},
                     {"AR", "S2013"}, {"AR", "DL013"}};

void Setup()
{
  const char* dir = std::getenv("PANECRAFT_TXDB_DIR");
  CTXRecObj::SetDatabaseDirectory(dir ? dir : PANECRAFT_TXDB_DIR "/");
  RegisterFreeformUnits();
  RegisterStandardUnits();
}

void ExpectNumber(double value)
{
  if (std::isnan(value))
    std::abort();
}

void ExpectPoint(const CVRX2DPoint& p)
{
  ExpectNumber(p.GetX());
  ExpectNumber(p.GetY());
}

void ExpectNumbers(const CVRX2DEntityArray& entities)
{
  for (int i = 0; i < entities.GetSize(); ++i) {
    const CVRX2DEntity* entity = entities[i];
    if (const auto* line = dynamic_cast<const CVRX2DLine*>(entity)) {
      ExpectPoint(line->GetStartPoint());
      ExpectPoint(line->GetEndPoint());
    } else if (const auto* arc = dynamic_cast<const CVRX2DArc*>(entity)) {
      ExpectPoint(arc->GetCentre());
      ExpectNumber(arc->GetMajorRadius());
      ExpectNumber(arc->GetMinorRadius());
      ExpectNumber(arc->GetAxisAngle().GetRadians());
      ExpectNumber(arc->GetStartAngle().GetRadians());
      ExpectNumber(arc->GetEndAngle().GetRadians());
    } else if (const auto* point = dynamic_cast<const CVRX2DPointEntity*>(entity)) {
      ExpectPoint(point->GetPoint());
    } else {
      const CVRX2DRectangle extents = entity->GetExtents();
      ExpectPoint(extents.GetMinPoint());
      ExpectPoint(extents.GetMaxPoint());
    }
  }
}

// Every handle dragged a little and far both ways, each proposal drawn; then a handle past the
// last one, which must be refused (the custom arched units throw), and the proposal taken.
void SizeByHandles(CUnit& unit)
{
  const CVRX2DVector drags[] = {CVRX2DVector(0.5, -0.25), CVRX2DVector(-40.0, 60.0), CVRX2DVector(250.0, -250.0)};
  CSizingHandleArray handles;
  unit.GetSizingHandles(handles);
  for (int i = 0; i < handles.GetSize(); ++i) {
    ExpectPoint(handles[i]->GetPoint());
    for (const CVRX2DVector& drag : drags) {
      unit.ConformProposedSize(i, drag);
      CVRX2DEntityArray proposed;
      unit.GetProposedOutlineEntities(proposed);
      ExpectNumbers(proposed);
    }
    CDWordArray flags;
    unit.GetSidesMovedByHandle(i, flags);
  }
  try {
    unit.ConformProposedSize(handles.GetSize(), CVRX2DVector(1.0, 1.0));
  } catch (const CCommonException&) {}
  unit.SetSizeToProposed();
}

// Free-form units are sized in every anchor mode; the custom arched ones have none.
void Size(CUnit& unit)
{
  auto* varigon = dynamic_cast<CVarigonUnit*>(&unit);
  if (!varigon) {
    SizeByHandles(unit);
    return;
  }
  CStringArray modes;
  varigon->GetAnchorModeNames(modes);
  for (int mode = 0; mode < modes.GetSize(); ++mode) {
    varigon->SetAnchorMode(mode);
    SizeByHandles(unit);
  }
}

void Draw(CUnit& unit)
{
  CVRX2DEntityArray out;
  unit.GetOutlineEntities(out);
  ExpectNumbers(out);
  for (int lines = 1; lines <= 3; ++lines) {
    try {
      unit.GetElevationEntities(lines, FALSE, FALSE, out);
    } catch (const CCommonException&) {}
  }
  for (double cut : {0.0, unit.GetHeight() / 3.0, unit.GetHeight()})
    unit.GetPlanSectionEntities(cut, CPlanSectionSwitches(), CPlanSectionPreferences(), out);
  (void)unit.GetSizeText(0);
  CUnitInfoReportDataArray records;
  unit.GetReportData(records);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static const bool ready = (Setup(), true);
  (void)ready;
  if (size == 0)
    return 0;
  const Key& key = kKeys[data[0] % (sizeof kKeys / sizeof kKeys[0])];
  std::unique_ptr<CUnit> unit(MakeUnit(key.type, key.subtype));
  if (!unit)
    std::abort();
  CString attributes = CString(key.type) + "," + key.subtype + "," +
                       CString(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));
  try {
    unit->SetAttributes(attributes);
  } catch (const CCommonException&) {
    return 0;
  }
  try {
    Draw(*unit);
    Size(*unit);
    Draw(*unit);
    CString stored = unit->GetAttributes();
    std::unique_ptr<CUnit> copy(MakeUnit(key.type, key.subtype));
    copy->SetAttributes(stored);
  } catch (const CCommonException&) {}
  return 0;
}
