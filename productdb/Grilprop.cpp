#include "productdb/Grilprop.h"

CGrilPropRec::CGrilPropRec() : CTXRecObj("GRILPROP") {}

void CGrilPropRec::UnpackRecord()
{
  m_grilleId = ReadLong(1);
  m_propertyCode = ReadString(5, 1);
  m_value = static_cast<float>(ReadFloat(6));
}

void CGrilPropRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  PutKeyLong(m_grilleId, 1);
  PutKeyString(m_propertyCode, 5, 1);
  PutKeyFloat(m_value, 6);
}
