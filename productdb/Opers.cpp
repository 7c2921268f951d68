#include "productdb/Opers.h"

COpersRec::COpersRec() : CTXRecObj("OPERS") {}

COpersRec::COpersRec(const CString& code) : CTXRecObj("OPERS"), m_code(code)
{
  if (Find(1) != 0)
    m_code.Empty();
}

void COpersRec::UnpackRecord()
{
  m_code = ReadString(1, 4);
  m_description = ReadString(5, 22);
}

void COpersRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() == 1)
    PutKeyString(m_code, 1, 4);
}
