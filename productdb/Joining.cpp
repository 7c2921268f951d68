#include "productdb/Joining.h"

CJoiningRec::CJoiningRec() : CTXRecObj("JOINING") {}

CJoiningRec::CJoiningRec(int joining) : CTXRecObj("JOINING"), m_joining(joining)
{
  if (Find(1) != 0)
    m_joining = 0;
}

void CJoiningRec::UnpackRecord()
{
  m_joining = ReadLong(1);
  m_code = ReadString(5, 2);
  m_description = ReadString(7, 25);
}

void CJoiningRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() == 1)
    PutKeyLong(m_joining, 1);
}
