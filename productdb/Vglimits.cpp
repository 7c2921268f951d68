#include "productdb/Vglimits.h"

CVgLimitsRec::CVgLimitsRec() : CTXRecObj("VGLIMITS") {}

void CVgLimitsRec::UnpackRecord()
{
  for (int i = 0; i < 15; ++i)
    m_fields[i] = static_cast<float>(ReadFloat(1 + 4 * i));
}

void CVgLimitsRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() == 1)
    PutKeyFloat(m_fields[0], 1);
}
