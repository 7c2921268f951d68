#include "productdb/Joinspcx.h"

CJoinSpcXRec::CJoinSpcXRec() : CTXRecObj("JOINSPCX") {}

void CJoinSpcXRec::UnpackRecord()
{
  m_field1 = ReadLong(1);
  m_field5 = ReadLong(5);
  m_field9 = ReadLong(9);
  m_field13 = ReadLong(13);
  m_spacing = static_cast<float>(ReadFloat(17));
}

void CJoinSpcXRec::PackKey()
{
  ClearKeyBuffer();
  switch (GetCurrentIndex()) {
  case 1:
    PutKeyLong(m_field1, 1);
    PutKeyLong(m_field5, 5);
    PutKeyLong(m_field9, 9);
    PutKeyLong(m_field13, 13);
    break;
  case 2:
    PutKeyLong(m_field5, 1);
    PutKeyFloat(m_spacing, 5);
    break;
  default:
    break;
  }
}
