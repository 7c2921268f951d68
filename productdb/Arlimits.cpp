#include "productdb/Arlimits.h"

CArLimitsRec::CArLimitsRec() : CTXRecObj("ARLIMITS") {}

void CArLimitsRec::UnpackRecord()
{
  for (int i = 0; i < 6; ++i)
    m_fields[i] = static_cast<float>(ReadFloat(1 + 4 * i));
}

void CArLimitsRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() == 1)
    PutKeyFloat(m_fields[0], 1);
}
