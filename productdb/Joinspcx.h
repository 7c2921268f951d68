#pragma once
// JOINSPCX: the spacing of a side particular to a product pair and joint detail.
#include "productdb/txrecobj.h"

class CJoinSpcXRec : public CTXRecObj
{
public:
  CJoinSpcXRec();

  void SetField1(int joining) { m_field1 = joining; }
  void SetField5(int product) { m_field5 = product; }
  void SetField9(int otherProduct) { m_field9 = otherProduct; }
  void SetField13(int detail) { m_field13 = detail; }
  double GetSpacing() const { return m_spacing; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_field1 = 0;
  int m_field5 = 0;
  int m_field9 = 0;
  int m_field13 = 0;
  float m_spacing = 0;
};
