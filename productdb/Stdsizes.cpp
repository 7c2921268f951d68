#include "productdb/Stdsizes.h"

#include "productdb/txdbExcp.h"

namespace {

constexpr const char* kSource = "Stdsizes";
constexpr int kLineFloatIndex = 162;

}  // namespace

CStdSizesRec::CStdSizesRec() : CTXRecObj("~STDSIZES") {}

CStdSizesRec::CStdSizesRec(const CString& typeCode, const CString& subtypeCode, const CString& sizeCode)
  : CTXRecObj("~STDSIZES"), m_typeCode(typeCode), m_subtypeCode(subtypeCode), m_sizeCode(sizeCode)
{
  if (Find(1) != 0) {
    m_typeCode.Empty();
    m_subtypeCode.Empty();
    m_sizeCode.Empty();
  }
}

double CStdSizesRec::GetFloatByIndex(int n) const
{
  if (n < 1 || n > 4)
    throw CTXDBException(kSource, kLineFloatIndex, CTXDBException::readError);
  return m_values[n - 1];
}

void CStdSizesRec::UnpackRecord()
{
  m_typeCode = ReadString(1, 2);
  m_subtypeCode = ReadString(3, 5);
  m_sizeCode = ReadString(8, 12);
  m_height = static_cast<float>(ReadFloat(20));
  m_width = static_cast<float>(ReadFloat(24));
  m_field28 = ReadShort(28);
  for (int i = 0; i < 4; ++i)
    m_values[i] = static_cast<float>(ReadFloat(30 + 4 * i));
  m_radius = static_cast<float>(ReadFloat(46));
  m_shoulderHeight = static_cast<float>(ReadFloat(50));
}

void CStdSizesRec::PackKey()
{
  ClearKeyBuffer();
  int index = GetCurrentIndex();
  if (index < 1 || index > 8)
    return;
  PutKeyString(m_typeCode, 1, 2);
  PutKeyString(m_subtypeCode, 3, 5);
  if (index == 1)
    PutKeyString(m_sizeCode, 8, 12);
  else
    PackFloats(index);
}

// The floats of indexes 2 to 8 follow type and subtype at key positions 8, 12 and 16.
void CStdSizesRec::PackFloats(int index)
{
  const float h = m_height, w = m_width, r = m_radius, s = m_shoulderHeight;
  const float orders[7][3] = {{h, w, 0}, {w, h, 0}, {s, r, w}, {w, s, r}, {r, w, s}, {s, w, r}, {w, r, s}};
  const int parts = index <= 3 ? 2 : 3;
  for (int i = 0; i < parts; ++i)
    PutKeyFloat(orders[index - 2][i], 8 + 4 * i);
}
