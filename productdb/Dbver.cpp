#include "productdb/Dbver.h"

CDbVerRec::CDbVerRec() : CTXRecObj("DBVER") {}

void CDbVerRec::UnpackRecord()
{
  m_specificationVersion = ReadString(1, 20);
  m_productDataVersion = ReadString(21, 20);
  m_datePopulated = ReadDate(41);
}

void CDbVerRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  PutKeyString(m_specificationVersion, 1, 20);
  PutKeyString(m_productDataVersion, 21, 20);
}
