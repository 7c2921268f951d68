// Reads any text as the stored attributes of a free-form unit (the first byte picks the key), then
// sizes, draws, cuts and stores the unit. Bad text may only end in the program's exception; no
// outline, proposed outline or handle may hold a coordinate that is not a number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "geometry/2dline.h"
#include "model/Plansect.h"
#include "model/Rptdata.h"
#include "model/Sizing.h"
#include "model/Unitutil.h"
#include "model/Varigon.h"
#include "productdb/txrecobj.h"
#include "support/ComExcpt.h"
#include "units/freeform/Vgreg.h"

namespace {

const char* const kKeys[] = {"DI010", "HP010", "HX010", "IT010", "OC010", "P1010", "P2010",
                             "PP010", "RE010", "RH010", "T1010", "T2010", "TZ010", "VP010"};

void Setup()
{
  const char* dir = std::getenv("PANECRAFT_TXDB_DIR");
  CTXRecObj::SetDatabaseDirectory(dir ? dir : PANECRAFT_TXDB_DIR "/");
  RegisterFreeformUnits();
}

void ExpectNumber(double value)
{
  if (std::isnan(value))
    std::abort();
}

void ExpectNumbers(const CVRX2DEntityArray& lines)
{
  for (int i = 0; i < lines.GetSize(); ++i) {
    const auto* line = dynamic_cast<const CVRX2DLine*>(lines[i]);
    if (!line)
      std::abort();
    ExpectNumber(line->GetStartPoint().GetX());
    ExpectNumber(line->GetStartPoint().GetY());
    ExpectNumber(line->GetEndPoint().GetX());
    ExpectNumber(line->GetEndPoint().GetY());
  }
}

// Every handle dragged a little; the proposals drawn and the last one taken.
void Size(CVarigonUnit& unit)
{
  CStringArray modes;
  unit.GetAnchorModeNames(modes);
  for (int mode = 0; mode < modes.GetSize(); ++mode) {
    unit.SetAnchorMode(mode);
    CSizingHandleArray handles;
    unit.GetSizingHandles(handles);
    for (int i = 0; i < handles.GetSize(); ++i) {
      ExpectNumber(handles[i]->GetPoint().GetX());
      ExpectNumber(handles[i]->GetPoint().GetY());
      unit.ConformProposedSize(i, CVRX2DVector(0.5, -0.25));
      CVRX2DEntityArray proposed;
      unit.GetProposedOutlineEntities(proposed);
      ExpectNumbers(proposed);
      CDWordArray flags;
      unit.GetSidesMovedByHandle(i, flags);
    }
    unit.ConformProposedSize(handles.GetSize(), CVRX2DVector(1.0, 1.0));
    unit.SetSizeToProposed();
  }
}

void Draw(CVarigonUnit& unit)
{
  CVRX2DEntityArray out;
  unit.GetOutlineEntities(out);
  ExpectNumbers(out);
  for (int lines = 1; lines <= 3; ++lines) {
    try {
      unit.GetElevationEntities(lines, FALSE, FALSE, out);
    } catch (const CCommonException&) {
    }
  }
  for (double cut : {0.0, unit.GetHeight() / 3.0, unit.GetHeight()})
    unit.GetPlanSectionEntities(cut, CPlanSectionSwitches(), CPlanSectionPreferences(), out);
  (void)unit.GetSizeText(0);
  CUnitInfoReportDataArray records;
  unit.GetReportData(records);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static const bool ready = (Setup(), true);
  (void)ready;
  if (size == 0)
    return 0;
  const char* subtype = kKeys[data[0] % (sizeof kKeys / sizeof kKeys[0])];
  std::unique_ptr<CVarigonUnit> unit(dynamic_cast<CVarigonUnit*>(MakeUnit("VG", subtype)));
  if (!unit)
    std::abort();
  CString attributes = CString("VG,") + subtype + "," + CString(reinterpret_cast<const char*>(data + 1),
                                                                  static_cast<int>(size - 1));
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
    std::unique_ptr<CUnit> copy(MakeUnit("VG", subtype));
    copy->SetAttributes(stored);
  } catch (const CCommonException&) {
  }
  return 0;
}
