#include "model/Dtlgen.h"

#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "geometry/2dptent.h"
#include "geometry/2drect.h"
#include "geometry/Angle.h"
#include "model/Dtlspec.h"
#include "model/Entcat.h"
#include "productdb/Componet.h"
#include "productdb/Compsets.h"
#include "productdb/Entities.h"
#include "productdb/Optcats.h"
#include "productdb/txdbExcp.h"
#include "support/ComExcpt.h"

namespace {
constexpr const char* kModule = "Dtlgen";
constexpr int kNoComponentSetLine = 78;
constexpr int kBadMarkerCategoryLine = 263;
constexpr int kNoEntitiesLine = 317;
constexpr int kUnknownCategoryLine = 361;
constexpr int kUnknownKindLine = 387;
constexpr int kNoMemoryLine = 485;

constexpr double kFlatSweep = VRX_PI / 90.0;  // 2 degrees
constexpr double kBreakOverhang = 0.5;
constexpr double kBreakStep = 0.125;
constexpr double kMarkerClearance = 0.1875;

struct CCategoryName
{
  const char* name;
  int category;
};

constexpr CCategoryName kCategories[] = {
    {"ALUM", ecatDetailAluminum},    {"CLAD", ecatDetailCladding}, {"CORE", ecatDetailCore},
    {"EXTLIN", ecatDetailExtension}, {"FLANGE", ecatDetailFlange}, {"GLAZING", ecatDetailGlass},
    {"WSTRIP", ecatDetailOther},     {"GLZBD", ecatDetailOther},   {"STEEL", ecatDetailSteel},
};

// The section's reach above and below its own x axis, where extension lines end and break lines
// run: rounded to whole inches, at least 5, else one inch beyond.
double ExtensionLevel(double reach)
{
  const double level = std::floor(std::fabs(reach) + 0.5);
  return level < 5.0 ? 5.0 : level + 1.0;
}

// A COMPSETS condition holds for category 0, for the specification's own choice, or, when it has no
// choice in the category, for the category's default choice.
BOOL ConditionHolds(const CDetailSpecification& spec, int category, int choice)
{
  if (category == 0)
    return TRUE;
  const int chosen = spec.GetOptionChoice(category);
  if (chosen != 0)
    return chosen == choice;
  COptCatsRec rec;
  rec.SetCategory(category);
  return rec.Find(1) == 0 && rec.GetField33() == choice;
}

CVRX2DEntity* MakeEntity(const CEntitiesRec& row, int category)
{
  const CString kind = row.GetKind();
  const CVRX2DPoint first(row.GetX(), row.GetY());
  CVRX2DEntity* entity = nullptr;
  if (kind == "A")
    entity =
        new (std::nothrow) CVRX2DArc(category, first, row.GetField50(), row.GetField58(), CVRXAngle(row.GetField66()),
                                     CVRXAngle(row.GetField74()), CVRXAngle(row.GetField82()));
  else if (kind == "L")
    entity = new (std::nothrow) CVRX2DLine(category, first, CVRX2DPoint(row.GetX2(), row.GetY2()));
  else if (kind == "P")
    entity = new (std::nothrow) CVRX2DPointEntity(category, first);
  else
    throw CCommonException(kModule, kUnknownKindLine);
  if (!entity)
    throw CCommonMemoryException(kModule, kNoMemoryLine);
  return entity;
}

// The entities of a member component, in table order.
void BuildMember(int component, CVRX2DEntityArray& work)
{
  CEntitiesRec row;
  row.SetField1(component);
  row.SetField6("");
  BOOL atEnd = FALSE;
  int found = row.SeekGE(1, &atEnd);
  if (found != 0 || row.GetField1() != component)
    throw CCommonException(kModule, kNoEntitiesLine);
  CString lastName;
  int category = CDetailEntityGenerator::CategoryOfName(lastName);
  for (; found == 0 && row.GetField1() == component; found = row.Next(&atEnd)) {
    // Rows of one name follow each other; the category is looked up only when the name changes.
    if (row.GetField6() != lastName) {
      lastName = row.GetField6();
      category = CDetailEntityGenerator::CategoryOfName(lastName);
      if (category < 0)
        throw CCommonException(kModule, kUnknownCategoryLine);
    }
    work.Add(MakeEntity(row, category));
  }
}

void PlaceMember(const CCompSetsRec& row, CVRX2DEntityArray& work, CVRX2DEntityArray& out)
{
  if (row.GetField25())
    work.Transform(CVRX2DTransformationMatrix(CVRX2DLine(0, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(1.0, 0.0))));
  if (row.GetField27() != 0.0)
    work.Transform(CVRX2DTransformationMatrix(CVRXAngle(row.GetField27())));
  work.Transform(CVRX2DTransformationMatrix(CVRX2DVector(row.GetField9(), row.GetField17())));
  out.Append(work);
  work.RemoveAllNoDelete();
}

// Open arcs sweeping less than 2 degrees become lines between their end points; whole circles and
// ellipses stay, whatever their start angle.
void ReplaceFlatArcs(CVRX2DEntityArray& out)
{
  int count = out.GetSize();
  for (int i = 0; i < count;) {
    const CVRX2DEntity* entity = out.GetAt(i);
    if (entity->GetType() != VRX_ARC) {
      ++i;
      continue;
    }
    const auto& arc = static_cast<const CVRX2DArc&>(*entity);
    const double sweep = (arc.GetEndAngle() - arc.GetStartAngle()).GetRadians();
    if (arc.IsClosed() || sweep >= kFlatSweep) {
      ++i;
      continue;
    }
    CVRX2DPoint start, end;
    arc.GetEndPoints(start, end);
    auto line = std::make_unique<CVRX2DLine>(arc.GetCategory(), start, end);
    out.RemoveAt(i);
    out.Add(line.release());
    --count;
  }
}

struct CLevels
{
  double top = 0.0;
  double bottom = 0.0;
  BOOL bottomUsed = FALSE;
};

// Markers become extension lines of their own category: up to the top level, or down to the
// bottom level for a marker on or below the axis of a member that is not a perimeter member.
void ReplaceMarkers(CVRX2DEntityArray& out, BOOL perimeter, CLevels& levels, std::vector<double>& markerX)
{
  for (int i = out.GetSize() - 1; i >= 0; --i) {
    const CVRX2DEntity* entity = out.GetAt(i);
    if (entity->GetType() != VRX_POINT)
      continue;
    const int category = entity->GetCategory();
    if (category != ecatDetailExtension && category != ecatDetailGlass)
      throw CCommonException(kModule, kBadMarkerCategoryLine);
    const CVRX2DPoint p = static_cast<const CVRX2DPointEntity*>(entity)->GetPoint();
    markerX.push_back(p.GetX());
    double endY = levels.top;
    if (p.GetY() <= 0.0 && !perimeter) {
      endY = -levels.bottom;
      levels.bottomUsed = TRUE;
    }
    auto* line = new CVRX2DLine(category, p, CVRX2DPoint(p.GetX(), endY));
    delete entity;
    out.SetAt(i, line);
  }
}

// Where the break line steps: from the middle outward in 1/8 inch steps, clear of every marker.
// The bounds are not mirror images on purpose: the search tries the right side first, so the
// left bound ends it, and the right one lets the last right-hand try reach the maximum x. The
// step then ends 1/8 inch past the section, still on the line's half-inch overhang.
double BreakStepX(double minX, double maxX, const std::vector<double>& markerX)
{
  const double centre = (minX + maxX) * 0.5;
  for (int k = 0;; ++k) {
    const double offset = kBreakStep * ((k + 1) / 2);
    const double x = (k % 2 == 1) ? centre + offset : centre - offset;
    if (x < minX + kBreakStep || x > maxX + kBreakStep)
      return centre;
    BOOL clear = TRUE;
    for (double m : markerX)
      if (std::fabs(m - x) < kMarkerClearance)
        clear = FALSE;
    if (clear)
      return x;
  }
}

void AddBreakLine(CVRX2DEntityArray& out, double y, double minX, double maxX, double stepX)
{
  const CVRX2DPoint points[] = {
      CVRX2DPoint(minX - kBreakOverhang, y), CVRX2DPoint(stepX - kBreakStep, y), CVRX2DPoint(stepX, y + kBreakStep),
      CVRX2DPoint(stepX, y - kBreakStep),    CVRX2DPoint(stepX + kBreakStep, y), CVRX2DPoint(maxX + kBreakOverhang, y),
  };
  for (int i = 0; i + 1 < 6; ++i)
    out.Add(new CVRX2DLine(ecatDetailExtension, points[i], points[i + 1]));
}
}  // namespace

int CDetailEntityGenerator::CategoryOfName(const CString& name)
{
  if (name.IsEmpty())
    return 33;
  for (const CCategoryName& entry : kCategories)
    if (name == entry.name)
      return entry.category;
  return -1;
}

void CDetailEntityGenerator::Generate(const CDetailSpecification& spec, CVRX2DEntityArray& out)
{
  const int detail = spec.GetDetailID();
  const CComponetRec component(detail);
  CCompSetsRec row;
  row.SetField1(detail);
  BOOL atEnd = FALSE;
  int found = row.SeekGE(1, &atEnd);
  if (found != 0 || row.GetField1() != detail)
    throw CTXDBException(kModule, kNoComponentSetLine, CTXDBException::readError);

  out.RemoveAll();
  CVRX2DEntityArray work;
  for (; found == 0 && row.GetField1() == detail; found = row.Next(&atEnd)) {
    if (!ConditionHolds(spec, row.GetField33(), row.GetField37()) ||
        !ConditionHolds(spec, row.GetField41(), row.GetField45()))
      continue;
    BuildMember(row.GetField5(), work);
    if (work.GetSize() > 0)
      PlaceMember(row, work, out);
  }
  if (out.GetSize() == 0)
    return;
  ReplaceFlatArcs(out);

  const CVRX2DRectangle extents = out.GetExtents();
  CLevels levels;
  levels.top = ExtensionLevel(extents.GetMaxPoint().GetY());
  levels.bottom = ExtensionLevel(extents.GetMinPoint().GetY());
  std::vector<double> markerX;
  ReplaceMarkers(out, component.GetField55() == "P", levels, markerX);

  const double minX = extents.GetMinPoint().GetX();
  const double maxX = extents.GetMaxPoint().GetX();
  const double stepX = BreakStepX(minX, maxX, markerX);
  AddBreakLine(out, levels.top, minX, maxX, stepX);
  if (levels.bottomUsed)
    AddBreakLine(out, -levels.bottom, minX, maxX, stepX);

  if (spec.GetOrientation() == CDetailSpecification::mirrored)
    out.Transform(CVRX2DTransformationMatrix(CVRX2DLine(0, CVRX2DPoint(0.0, 0.0), CVRX2DPoint(1.0, 0.0))));
  if (spec.GetAngle().GetRadians() != 0.0)
    out.Transform(CVRX2DTransformationMatrix(spec.GetAngle()));
  out.FreeExtra();
}
