#include "productdb/Elemcomp.h"

CElemCompRec::CElemCompRec() : CTXRecObj("ELEMCOMP") {}

CElemCompRec::CElemCompRec(const CString& typeCode, const CString& subtypeCode, const CString& elementCode)
  : CTXRecObj("ELEMCOMP"), m_typeCode(typeCode), m_subtypeCode(subtypeCode), m_elementCode(elementCode)
{
  if (Find(1) != 0) {
    m_typeCode.Empty();
    m_subtypeCode.Empty();
    m_elementCode.Empty();
  }
}

void CElemCompRec::UnpackRecord()
{
  m_typeCode = ReadString(1, 2);
  m_subtypeCode = ReadString(3, 5);
  m_elementCode = ReadString(8, 2);
  m_component = ReadLong(10);
}

void CElemCompRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  PutKeyString(m_typeCode, 1, 2);
  PutKeyString(m_subtypeCode, 3, 5);
  PutKeyString(m_elementCode, 8, 2);
}
