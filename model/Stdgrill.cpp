// The pattern grille of a standard unit: bars at the catalogue's positions, cut by the lines of
// the unit's two-line elevation so that they run only across the glass.
#include <algorithm>
#include <vector>

#include "geometry/2dline.h"
#include "model/Entcat.h"
#include "model/Stdunit.h"
#include "productdb/Grilhdrs.h"
#include "productdb/Grilprop.h"
#include "productdb/Optcats.h"
#include "productdb/Typesrec.h"

void CStandardUnit::GetGrilleEntities(int /*lines*/, CVRX2DEntityArray& out) const
{
  const int choice = GetOptionChoice(kGrilleTypeCategory, 1);
  if (IsNoGrilleChoice(choice))
    return;
  CVRX2DEntityArray cutting;
  Get2LineElevationEntities(2, cutting);
  const CGrilHdrsRec header(GetType(), GetSubtype(), GetSizeCode(), choice);
  GetGrilleBars(header.GetGrilleId(), "H", cutting, out);
  GetGrilleBars(header.GetGrilleId(), "V", cutting, out);
}

void CStandardUnit::ReadGrilleProperties(int grilleId, const CString& propertyCode, CArray<double, double>& values)
{
  CGrilPropRec row;
  row.SetGrilleId(grilleId);
  row.SetPropertyCode(propertyCode);
  row.SetValue(0.0f);
  BOOL atEnd = FALSE;
  for (int rc = row.SeekGE(1, &atEnd); rc == 0; rc = row.Next(&atEnd)) {
    if (row.GetGrilleId() != grilleId || row.GetPropertyCode() != propertyCode)
      break;
    values.Add(row.GetValue());
  }
}

int CStandardUnit::CompareDoubles(double a, double b)
{
  if (a < b)
    return -1;
  return a > b ? 1 : 0;
}

int CStandardUnit::GetGrilleCategory() const
{
  const CTypesRec types(GetType());
  return types.GetField53() == "D" ? ecatDoorElevationGrilles : ecatWindowElevationGrilles;
}

// Crossings are collected without repeats, so a bar through a corner where two cutting lines
// meet counts that corner once and the pairs after it stay in step.
void CStandardUnit::GetGrilleBars(int grilleId, const CString& propertyCode, const CVRX2DEntityArray& cutting,
                                  CVRX2DEntityArray& out) const
{
  CArray<double, double> positions;
  ReadGrilleProperties(grilleId, propertyCode, positions);
  const bool vertical = propertyCode == "H";
  const int category = GetGrilleCategory();
  for (double v : positions) {
    const CVRX2DLine bar(category, vertical ? CVRX2DPoint(v, 0.0) : CVRX2DPoint(0.0, v),
                         vertical ? CVRX2DPoint(v, GetHeight()) : CVRX2DPoint(GetWidth(), v));
    CVRX2DPointArray crossings;
    for (int i = 0; i < cutting.GetSize(); ++i) {
      CVRX2DPointArray hits;
      bar.Intersect(*cutting.GetAt(i), hits);
      for (int k = 0; k < hits.GetSize(); ++k)
        if (cutting.GetAt(i)->Contains(*hits.GetAt(k)))
          crossings.AddUnique(*hits.GetAt(k));
    }
    std::vector<double> along;
    for (int k = 0; k < crossings.GetSize(); ++k)
      along.push_back(vertical ? crossings.GetAt(k)->GetY() : crossings.GetAt(k)->GetX());
    std::sort(along.begin(), along.end(), [](double a, double b) { return CompareDoubles(a, b) < 0; });
    for (size_t k = 0; k + 1 < along.size(); k += 2) {
      if (vertical)
        out.Add(new CVRX2DLine(category, CVRX2DPoint(v, along[k]), CVRX2DPoint(v, along[k + 1])));
      else
        out.Add(new CVRX2DLine(category, CVRX2DPoint(along[k], v), CVRX2DPoint(along[k + 1], v)));
    }
  }
}
