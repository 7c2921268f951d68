#pragma once
// ENTITIES: stored drawing entities, one line, arc or point per row, grouped in numbered sets.
#include "productdb/txrecobj.h"

class CEntitiesRec : public CTXRecObj
{
public:
  CEntitiesRec();

  int GetField1() const { return m_field1; }
  void SetField1(int set) { m_field1 = set; }
  // "A" arc, "L" line, "P" point.
  CString GetKind() const { return m_kind; }
  CString GetField6() const { return m_field6; }
  void SetField6(const CString& name) { m_field6 = name; }
  double GetX() const { return m_values[0]; }
  double GetY() const { return m_values[1]; }
  double GetX2() const { return m_values[2]; }
  double GetY2() const { return m_values[3]; }
  double GetField50() const { return m_values[4]; }
  double GetField58() const { return m_values[5]; }
  double GetField66() const { return m_values[6]; }
  double GetField74() const { return m_values[7]; }
  double GetField82() const { return m_values[8]; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_field1 = 0;
  CString m_kind;
  CString m_field6;
  // The nine doubles at offsets 18, 26, ..., 82.
  double m_values[9] = {};
};
