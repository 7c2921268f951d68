#include "productdb/Optexcpt.h"

COptExcptRec::COptExcptRec() : CTXRecObj("OPTEXCPT") {}

void COptExcptRec::UnpackRecord()
{
  m_number = ReadLong(1);
  m_typeCode = ReadString(5, 2);
  m_subtypeCode = ReadString(7, 5);
  m_sizeCode = ReadString(12, 12);
  m_operationCode = ReadString(24, 4);
  m_field28 = ReadLong(28);
  m_field32 = ReadLong(32);
  m_field36 = ReadString(36, 1);
  m_field37 = ReadLong(37);
  m_field41 = ReadLong(41);
}

void COptExcptRec::PackKey()
{
  ClearKeyBuffer();
  switch (GetCurrentIndex()) {
  case 1:
    PutKeyLong(m_number, 1);
    break;
  case 2:
    PutKeyString(m_typeCode, 1, 2);
    PutKeyString(m_subtypeCode, 3, 5);
    PutKeyLong(m_field37, 8);
    PutKeyString(m_field36, 12, 1);
    PutKeyLong(m_field41, 13);
    PutKeyLong(m_number, 17);
    break;
  default:
    break;
  }
}
