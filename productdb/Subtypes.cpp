#include "productdb/Subtypes.h"

CSubTypesRec::CSubTypesRec() : CTXRecObj("SUBTYPES") {}

CSubTypesRec::CSubTypesRec(const CString& typeCode, const CString& subtypeCode)
  : CTXRecObj("SUBTYPES"), m_typeCode(typeCode), m_subtypeCode(subtypeCode)
{
  if (Find(1) != 0) {
    m_typeCode.Empty();
    m_subtypeCode.Empty();
  }
}

void CSubTypesRec::UnpackRecord()
{
  m_typeCode = ReadString(1, 2);
  m_subtypeCode = ReadString(3, 5);
  m_description = ReadString(8, 35);
  m_shortDescription = ReadString(43, 15);
  m_flag58 = ReadLogical(58);
  m_field68 = ReadShort(68);
}

void CSubTypesRec::PackKey()
{
  ClearKeyBuffer();
  switch (GetCurrentIndex()) {
  case 1:
    PutKeyString(m_typeCode, 1, 2);
    PutKeyString(m_subtypeCode, 3, 5);
    break;
  case 2:
    PutKeyString(m_typeCode, 1, 2);
    PutKeyShort(m_field68, 3);
    break;
  default:
    break;
  }
}
