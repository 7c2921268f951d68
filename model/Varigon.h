#pragma once
// Base of the free-form polygon units. A free-form unit has no catalogue sizes: a few free
// dimensions give its shape, checked against the one row of free-form size limits. The anchor
// mode decides which part of the shape stays in place while a handle is dragged.
#include "model/Unit.h"
#include "productdb/Vglimits.h"

class CStringArray;

class CVarigonUnit : public CUnit
{
  DECLARE_DYNAMIC(CVarigonUnit)
public:
  CVarigonUnit(const CString& type, const CString& subtype);
  CVarigonUnit(const CVarigonUnit& source) = default;
  CVarigonUnit& operator=(const CVarigonUnit& source)
  {
    return static_cast<CVarigonUnit&>(operator=(static_cast<const CUnit&>(source)));
  }

  CUnit& operator=(const CUnit& source) override;
  // The type description and the proposed size.
  CString GetSizeText(int lengthFormat) const override;

  // Labels of the shape's dimensions ("Width:", "Height:"...) and their values, in step.
  virtual void GetDimensionLabels(CStringArray& labels) const = 0;
  virtual void GetDimensionValues(CArray<double, double>& values) const = 0;
  virtual void GetAnchorModeNames(CStringArray& names) const;
  // Stores the values when they pass the leaf's check against the limits (TRUE); otherwise
  // changes nothing (FALSE).
  virtual BOOL SetDimensionValues(const CArray<double, double>& values) = 0;
  virtual double GetProposedWidth() const = 0;
  virtual double GetProposedHeight() const = 0;
  // Whether the dimension at the index is a length, shown and read in the user's length units;
  // a leaf says so for the values that are plain numbers.
  virtual BOOL IsDimensionLength(int /*index*/) const { return TRUE; }

  int GetAnchorMode() const { return m_nAnchorMode; }
  void SetAnchorMode(int mode) { m_nAnchorMode = mode; }
  const CVgLimitsRec& GetLimits() const { return m_Limits; }

private:
  CVgLimitsRec m_Limits;
  int m_nAnchorMode = 0;
};
