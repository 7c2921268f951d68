#pragma once
// ARLIMITS: size limits of the custom arched units, one row per base value (arch radius).
#include "productdb/txrecobj.h"

class CArLimitsRec : public CTXRecObj
{
public:
  CArLimitsRec();
  CArLimitsRec(const CArLimitsRec& other) = default;
  CArLimitsRec& operator=(const CArLimitsRec& other) = default;

  double GetField1() const { return m_fields[0]; }
  void SetField1(float value) { m_fields[0] = value; }
  double GetField5() const { return m_fields[1]; }
  double GetField9() const { return m_fields[2]; }
  double GetField17() const { return m_fields[4]; }
  double GetField21() const { return m_fields[5]; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  // The six floats at offsets 1, 5, ..., 21.
  float m_fields[6] = {};
};
