#include "productdb/Compsets.h"

CCompSetsRec::CCompSetsRec() : CTXRecObj("COMPSETS") {}

void CCompSetsRec::UnpackRecord()
{
  m_field1 = ReadLong(1);
  m_field5 = ReadLong(5);
  m_field9 = ReadDouble(9);
  m_field17 = ReadDouble(17);
  m_field25 = ReadLogical(25);
  m_field27 = static_cast<float>(ReadFloat(27));
  m_field31 = ReadShort(31);
  m_field33 = ReadLong(33);
  m_field37 = ReadLong(37);
  m_field41 = ReadLong(41);
  m_field45 = ReadLong(45);
}

void CCompSetsRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  PutKeyLong(m_field1, 1);
  PutKeyLong(m_field5, 5);
  PutKeyDouble(m_field9, 9);
  PutKeyDouble(m_field17, 17);
  PutKeyLogical(m_field25, 25);
  PutKeyFloat(m_field27, 27);
  PutKeyShort(m_field31, 31);
}
