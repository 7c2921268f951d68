#pragma once
// JOINSPAC: the spacing of one side of a join type.
#include "productdb/txrecobj.h"

class CJoinSpacRec : public CTXRecObj
{
public:
  CJoinSpacRec();

  void SetField1(int joining) { m_field1 = joining; }
  void SetField5(int product) { m_field5 = product; }
  double GetSpacing() const { return m_spacing; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_field1 = 0;
  int m_field5 = 0;
  float m_spacing = 0;
};
