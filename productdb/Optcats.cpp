#include "productdb/Optcats.h"

COptCatsRec::COptCatsRec() : CTXRecObj("OPTCATS") {}

COptCatsRec::COptCatsRec(int category) : CTXRecObj("OPTCATS"), m_category(category)
{
  if (Find(1) != 0)
    m_category = 0;
}

void COptCatsRec::UnpackRecord()
{
  m_category = ReadLong(1);
  m_name = ReadString(5, 18);
  m_field33 = ReadLong(33);
  m_flag43 = ReadLogical(43);
}

void COptCatsRec::PackKey()
{
  ClearKeyBuffer();
  switch (GetCurrentIndex()) {
  case 1:
    PutKeyLong(m_category, 1);
    break;
  case 2:
    PutKeyLogical(m_flag43, 1);
    PutKeyLong(m_category, 3);
    break;
  default:
    break;
  }
}
