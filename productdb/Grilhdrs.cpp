#include "productdb/Grilhdrs.h"

CGrilHdrsRec::CGrilHdrsRec() : CTXRecObj("GRILHDRS") {}

CGrilHdrsRec::CGrilHdrsRec(const CString& typeCode, const CString& subtypeCode, const CString& sizeCode, int choice)
  : CTXRecObj("GRILHDRS"), m_typeCode(typeCode), m_subtypeCode(subtypeCode), m_sizeCode(sizeCode), m_choice(choice)
{
  if (Find(2) != 0) {
    m_typeCode.Empty();
    m_subtypeCode.Empty();
    m_sizeCode.Empty();
    m_choice = 0;
  }
}

void CGrilHdrsRec::UnpackRecord()
{
  m_grilleId = ReadLong(1);
  m_typeCode = ReadString(5, 2);
  m_subtypeCode = ReadString(7, 5);
  m_sizeCode = ReadString(12, 12);
  m_choice = ReadLong(24);
}

void CGrilHdrsRec::PackKey()
{
  ClearKeyBuffer();
  switch (GetCurrentIndex()) {
  case 1:
    PutKeyLong(m_grilleId, 1);
    break;
  case 2:
    PutKeyString(m_typeCode, 1, 2);
    PutKeyString(m_subtypeCode, 3, 5);
    PutKeyString(m_sizeCode, 8, 12);
    PutKeyLong(m_choice, 20);
    break;
  default:
    break;
  }
}
