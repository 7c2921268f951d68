#include "productdb/Elevline.h"

#include <memory>

CElevLineRec::CElevLineRec() : CTXRecObj("ELEVLINE") {}

CElevLineRec::CElevLineRec(int number) : CTXRecObj("ELEVLINE") { SeekNumber(number); }

int CElevLineRec::SeekNumber(int number)
{
  m_number = number;
  m_field5 = 0;
  m_field7 = 0.0f;
  BOOL atEnd = FALSE;
  int result = SeekGE(1, &atEnd);
  if (result != 0) {
    m_number = 0;
    m_field5 = -1;
    m_field7 = -1.0f;
  }
  return result;
}

void CElevLineRec::UnpackRecord()
{
  m_number = ReadLong(1);
  m_field5 = ReadShort(5);
  m_field7 = static_cast<float>(ReadFloat(7));
}

void CElevLineRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  PutKeyLong(m_number, 1);
  PutKeyShort(m_field5, 5);
  PutKeyFloat(m_field7, 7);
}

CElevLineRecArray::CElevLineRecArray(int number)
{
  auto cursor = std::make_unique<CElevLineRec>();
  // A failed seek leaves number 0 in the cursor, which must not pass for a row of number 0.
  if (cursor->SeekNumber(number) != 0)
    return;
  BOOL atEnd = FALSE;
  while (cursor->GetNumber() == number && !atEnd) {
    auto next = std::make_unique<CElevLineRec>(*cursor);
    Add(cursor.release());
    cursor = std::move(next);
    // A failed step leaves the copy on the row just appended; it must not be appended again.
    if (cursor->Next(&atEnd) != 0)
      break;
  }
}
