#include "productdb/Typesrec.h"

CTypesRec::CTypesRec() : CTXRecObj("TYPES") {}

CTypesRec::CTypesRec(const CString& typeCode) : CTXRecObj("TYPES"), m_typeCode(typeCode)
{
  if (Find(1) != 0)
    m_typeCode.Empty();
}

void CTypesRec::UnpackRecord()
{
  m_typeCode = ReadString(1, 2);
  m_shortDescription = ReadString(38, 15);
  m_field53 = ReadString(53, 1);
}

void CTypesRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() == 1)
    PutKeyString(m_typeCode, 1, 2);
}
