#pragma once
// VGLIMITS: size limits of the free-form units; the first row in index 1 order governs them all.
#include "productdb/txrecobj.h"

class CVgLimitsRec : public CTXRecObj
{
public:
  CVgLimitsRec();
  CVgLimitsRec(const CVgLimitsRec& other) = default;
  CVgLimitsRec& operator=(const CVgLimitsRec& other) = default;

  double GetMinSide() const { return Field(1); }
  double GetMaxSide() const { return Field(5); }
  double GetMinGlassLine() const { return Field(9); }
  double GetMaxShortGlassSide() const { return Field(13); }
  double GetMaxLongGlassSide() const { return Field(17); }
  // Square feet.
  double GetMaxArea() const { return Field(21); }
  double GetField37() const { return Field(37); }
  // The same field: the inset from each outline side in to the glass line.
  double GetGlassInset() const { return Field(37); }
  double GetMinAngle() const { return Field(53); }
  double GetMaxAngle() const { return Field(57); }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  double Field(int offset) const { return m_fields[(offset - 1) / 4]; }

  // The fifteen floats at offsets 1, 5, ..., 57.
  float m_fields[15] = {};
};
