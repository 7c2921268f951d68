#pragma once
// COMPSETS: the member components of each detail, with their placement and the option
// conditions under which each is drawn.
#include "productdb/txrecobj.h"

class CCompSetsRec : public CTXRecObj
{
public:
  CCompSetsRec();

  int GetField1() const { return m_field1; }
  void SetField1(int value) { m_field1 = value; }
  int GetField5() const { return m_field5; }
  void SetField5(int value) { m_field5 = value; }
  double GetField9() const { return m_field9; }
  void SetField9(double value) { m_field9 = value; }
  double GetField17() const { return m_field17; }
  void SetField17(double value) { m_field17 = value; }
  int GetField25() const { return m_field25; }
  void SetField25(int value) { m_field25 = value ? 1 : 0; }
  double GetField27() const { return m_field27; }
  void SetField27(float value) { m_field27 = value; }
  void SetField31(short value) { m_field31 = value; }
  // First option condition: category and choice.
  int GetField33() const { return m_field33; }
  int GetField37() const { return m_field37; }
  // Second option condition: category and choice.
  int GetField41() const { return m_field41; }
  int GetField45() const { return m_field45; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_field1 = 0;
  int m_field5 = 0;
  double m_field9 = 0;
  double m_field17 = 0;
  int m_field25 = 0;
  float m_field27 = 0;
  short m_field31 = 0;
  int m_field33 = 0;
  int m_field37 = 0;
  int m_field41 = 0;
  int m_field45 = 0;
};
