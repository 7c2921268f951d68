#include "productdb/Componet.h"

CComponetRec::CComponetRec() : CTXRecObj("COMPONET") {}

CComponetRec::CComponetRec(int component) : CTXRecObj("COMPONET"), m_component(component)
{
  if (Find(1) != 0)
    m_component = 0;
}

void CComponetRec::UnpackRecord()
{
  m_component = ReadLong(1);
  m_field55 = ReadString(55, 1);
  m_field60 = static_cast<float>(ReadFloat(60));
}

void CComponetRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() == 1)
    PutKeyLong(m_component, 1);
}
