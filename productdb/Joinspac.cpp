#include "productdb/Joinspac.h"

CJoinSpacRec::CJoinSpacRec() : CTXRecObj("JOINSPAC") {}

void CJoinSpacRec::UnpackRecord()
{
  m_field1 = ReadLong(1);
  m_field5 = ReadLong(5);
  m_spacing = static_cast<float>(ReadFloat(9));
}

void CJoinSpacRec::PackKey()
{
  ClearKeyBuffer();
  switch (GetCurrentIndex()) {
  case 1:
    PutKeyLong(m_field1, 1);
    PutKeyLong(m_field5, 5);
    break;
  case 2:
    PutKeyLong(m_field5, 1);
    PutKeyFloat(m_spacing, 5);
    break;
  default:
    break;
  }
}
