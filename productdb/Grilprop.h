#pragma once
// GRILPROP: the bar positions of each grille, by property code ("H", "V", ...).
#include "productdb/txrecobj.h"

class CGrilPropRec : public CTXRecObj
{
public:
  CGrilPropRec();

  int GetGrilleId() const { return m_grilleId; }
  void SetGrilleId(int id) { m_grilleId = id; }
  CString GetPropertyCode() const { return m_propertyCode; }
  void SetPropertyCode(const CString& code) { m_propertyCode = code; }
  double GetValue() const { return m_value; }
  void SetValue(float value) { m_value = value; }

protected:
  void UnpackRecord() override;
  void PackKey() override;

private:
  int m_grilleId = 0;
  CString m_propertyCode;
  float m_value = 0;
};
