#include "productdb/Operchoi.h"

COperChoiRec::COperChoiRec() : CTXRecObj("OPERCHOI") {}

void COperChoiRec::UnpackRecord()
{
  m_typeCode = ReadString(1, 2);
  m_subtypeCode = ReadString(3, 5);
  m_sizeCode = ReadString(8, 12);
  m_operationCode = ReadString(20, 4);
}

void COperChoiRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  PutKeyString(m_typeCode, 1, 2);
  PutKeyString(m_subtypeCode, 3, 5);
  PutKeyString(m_sizeCode, 8, 12);
  PutKeyString(m_operationCode, 20, 4);
}
