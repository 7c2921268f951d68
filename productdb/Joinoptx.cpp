#include "productdb/Joinoptx.h"

CJoinOptXRec::CJoinOptXRec() : CTXRecObj("JOINOPTX") {}

void CJoinOptXRec::UnpackRecord()
{
  for (int i = 0; i < 5; ++i)
    m_fields[i] = ReadLong(1 + 4 * i);
}

void CJoinOptXRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  for (int i = 0; i < 5; ++i)
    PutKeyLong(m_fields[i], 1 + 4 * i);
}
