#include "productdb/Entities.h"

CEntitiesRec::CEntitiesRec() : CTXRecObj("ENTITIES") {}

void CEntitiesRec::UnpackRecord()
{
  m_field1 = ReadLong(1);
  m_kind = ReadString(5, 1);
  m_field6 = ReadString(6, 8);
  for (int i = 0; i < 9; ++i)
    m_values[i] = ReadDouble(18 + 8 * i);
}

void CEntitiesRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  PutKeyLong(m_field1, 1);
  PutKeyString(m_field6, 5, 8);
}
