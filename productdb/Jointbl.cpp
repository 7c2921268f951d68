#include "productdb/Jointbl.h"

CJoinTblRec::CJoinTblRec() : CTXRecObj("JOINTBL") {}

int CJoinTblRec::GetId(int n) const { return n == 1 ? m_id : (n == 2 ? m_otherId : 0); }

void CJoinTblRec::SetId(int n, int value)
{
  if (n == 1)
    m_id = value;
  else if (n == 2)
    m_otherId = value;
}

void CJoinTblRec::UnpackRecord()
{
  m_join = ReadLong(1);
  m_id = ReadLong(5);
  m_otherId = ReadLong(9);
  m_field13 = ReadLong(13);
}

void CJoinTblRec::PackKey()
{
  ClearKeyBuffer();
  // The three longs of each index, in key order.
  const int orders[4][3] = {
      {m_join, m_id, m_otherId}, {m_join, m_otherId, m_id}, {m_id, m_otherId, m_join}, {m_otherId, m_id, m_join}};
  int index = GetCurrentIndex();
  if (index < 1 || index > 4)
    return;
  for (int i = 0; i < 3; ++i)
    PutKeyLong(orders[index - 1][i], 1 + 4 * i);
}
