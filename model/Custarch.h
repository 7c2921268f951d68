#pragma once
// Base of the custom arched units of line "AR": a free width and an arch that is an arc of a
// circle whose radius, the base, is one of the values listed in the arch limits table; the arch
// circle's centre is kept as a point of the unit's frame (origin lower-left, y up). Each value is
// kept twice, current and proposed. The leaves give the shape (chords, angles, daylight opening)
// and combine the limit checks offered here into their validity tests.
#include <memory>

#include "geometry/Angle.h"
#include "model/Unit.h"
#include "productdb/Arlimits.h"
#include "productdb/Vglimits.h"

class CStringArray;
class CVRX2DLine;
class CVRX2DPoint;

// Codes shared with the leaves: the product line and the element codes of arch, legs and sill.
inline constexpr const char* kCustomArchLineCode = "AR";
inline constexpr const char* kCustomArchArchCode = "AG";
inline constexpr const char* kCustomArchLegCode = "AP";
inline constexpr const char* kCustomArchSillCode = "BJ";

class CCustomArchedUnit : public CUnit
{
  DECLARE_DYNAMIC(CCustomArchedUnit)
public:
  // The base is the smallest listed base of at least 72 inches; none throws CTXDBException.
  CCustomArchedUnit(const CString& type, const CString& subtype, double width, const CVRX2DVector& archCentre);
  CCustomArchedUnit(const CCustomArchedUnit& source);
  CCustomArchedUnit& operator=(const CCustomArchedUnit& source)
  {
    return static_cast<CCustomArchedUnit&>(operator=(static_cast<const CUnit&>(source)));
  }
  ~CCustomArchedUnit() override;

  CUnit& operator=(const CUnit& source) override;
  // The unit's fields, then the base and the width ("%.15g"); the leaves append theirs and
  // rebuild the arch from them.
  CString GetAttributes() const override;
  // An unlisted base or a width that is no finite number throws CUnitException.
  void SetAttributes(CString& attributes) override;
  double GetWidth() const override { return m_dWidth; }
  void GetReportData(CUnitInfoReportDataArray& records) const override;
  void GetReportData(CScheduleReportDataArray& rows) const override;
  CVRX2DVector SetSizeToProposed() override;
  void ResetProposedSize() override;

  virtual void GetDimensionLabels(CStringArray& labels) const;
  virtual void GetDimensionValues(double& base, int& count, CArray<double, double>& values) const;
  // Selects the listed base equal to the value (to 1e-9 of it, so a base written with "%.15g"
  // reads back); another value throws CUnitException.
  virtual void SetBase(double base);
  // The inverse of GetDimensionValues: FALSE, with the unit as it was, when the values give no
  // valid shape.
  virtual BOOL SetDimensionValues(double base, int count, CArray<double, double>& values) = 0;
  // Every listed base, ascending.
  virtual void GetBaseList(CArray<double, double>& bases) const;
  // Shape values of the proposed and of the current size. Chord n is 1 or 2; the area lengths
  // are the two sides (inches) whose product is compared with the largest area.
  virtual double GetProposedChordLength(int n) const = 0;
  virtual CVRXAngle GetProposedFirstArchAngle() const = 0;
  virtual double GetProposedAreaHeight() const = 0;
  virtual double GetProposedAreaWidth() const = 0;
  virtual CVRXAngle GetProposedSecondArchAngle(const CVRXAngle& first) const = 0;
  virtual double GetProposedHeight() const = 0;
  virtual BOOL IsProposedSizeValid() const = 0;
  virtual double GetChordLength(int n) const = 0;
  virtual CVRXAngle GetFirstArchAngle() const = 0;
  virtual double GetAreaHeight() const = 0;
  virtual double GetAreaWidth() const = 0;
  virtual CVRXAngle GetSecondArchAngle(const CVRXAngle& first) const = 0;
  virtual BOOL IsArchAngleWithinLimits(const CVRXAngle& angle) const = 0;
  virtual BOOL IsSizeValid() const = 0;
  // The corner-angle test of an arch from its two angles: the second one here; a leaf that
  // bounds both the start and the end angle replaces it.
  virtual BOOL AreArchAnglesWithinLimits(const CVRXAngle& first, const CVRXAngle& second) const;

  double GetBase() const { return m_pArLimits->GetField1(); }
  double GetProposedWidth() const { return m_dProposedWidth; }
  CVRX2DVector GetArchCentre() const { return m_vArchCentre; }
  CVRX2DVector GetProposedArchCentre() const { return m_vProposedArchCentre; }
  // Drops the cached geometry and makes the proposed values the current ones.
  void Recompute();

  // Limits for the leaves.
  CVRXAngle GetLimitAngle1() const { return CVRXAngle(m_pArLimits->GetField21()); }
  CVRXAngle GetLimitAngle2() const { return CVRXAngle(m_pArLimits->GetField17()); }
  double GetMinLegHeight() const { return m_VgLimits.GetMinSide(); }
  double GetMaxLegHeight() const { return m_VgLimits.GetMaxSide(); }
  double GetEmbeddedLimit4() const { return m_VgLimits.GetMinGlassLine(); }
  double GetEmbeddedLimit3() const { return m_VgLimits.GetMaxShortGlassSide(); }
  double GetEmbeddedLimit2() const { return m_VgLimits.GetMaxLongGlassSide(); }
  double GetEmbeddedLimitValue() const { return m_VgLimits.GetField37(); }

  // Rise of the arch over a chord of that length.
  double GetRise(double chord) const;
  // Square to the chord, of the rise's length; up for a chord drawn either way.
  CVRX2DVector GetRiseVector(const CVRX2DLine& chord) const;
  CVRXAngle GetAngleFromArchCentre(const CVRX2DPoint& p) const;
  static double SqrtSumSquares(double a, double b);
  // Of the difference taken at least 0, so lengths that meet exactly never give no number.
  static double SqrtDiffSquares(double a, double b);

  // Moves the arch so that it passes through the chord's ends; FALSE, changing nothing, when
  // the chord or the resulting size is out of limits.
  BOOL SetArchFromChord(const CVRX2DLine& chord);
  // The same on the proposed size, whose width becomes the chord's span across (a chord drawn
  // right to left gives the same width); 0 with the base-point offset set, or 3 leaving all as
  // it was.
  int ConformArchToChord(const CVRX2DLine& chord, const CVRX2DVector& baseOffset);

  BOOL IsChordWithinLimits(double chord) const;
  BOOL IsWidthWithinLimits() const;
  BOOL IsProposedWidthWithinLimits() const;
  BOOL IsArchWithinLimits() const;
  BOOL IsProposedArchWithinLimits() const;
  BOOL IsAreaWithinLimits() const;
  BOOL IsProposedAreaWithinLimits() const;
  BOOL IsUnitAreaWithinLimits() const;
  BOOL IsProposedUnitAreaWithinLimits() const;
  BOOL AreCurrentDimensionsValid() const;
  BOOL AreProposedDimensionsValid() const;

protected:
  // The current base row, width and arch centre, kept so that a refused change can put them back.
  struct CSavedSize
  {
    CArLimitsRec limits;
    double width;
    CVRX2DVector centre;
  };

  void SetWidthValue(double width) { m_dWidth = width; }
  void SetArchCentre(const CVRX2DVector& centre) { m_vArchCentre = centre; }
  CSavedSize SaveSize() const { return {*m_pArLimits, m_dWidth, m_vArchCentre}; }
  // Also drops the geometry, which the checks of the refused size may have cached.
  void RestoreSize(const CSavedSize& saved);

private:
  BOOL IsAreaAllowed(double a, double b) const;
  BOOL IsWidthAllowed(double width) const;
  // The centre of the base circle through the chord's ends, for a unit of the given width.
  CVRX2DVector CentreForChord(const CVRX2DLine& chord, double width) const;
  void AppendBaseAndWidth(CString& key) const;
  void SetBaseAndWidth(CString& attributes);

  std::unique_ptr<CArLimitsRec> m_pArLimits;
  CVgLimitsRec m_VgLimits;
  double m_dWidth;
  CVRX2DVector m_vArchCentre;
  double m_dProposedWidth = 0.0;
  CVRX2DVector m_vProposedArchCentre;
};
