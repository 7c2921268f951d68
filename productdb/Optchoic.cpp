#include "productdb/Optchoic.h"

#include <new>

#include "productdb/txdbExcp.h"

namespace {

constexpr const char* kSource = "Optchoic";
constexpr int kLineCopy = 218;

}  // namespace

COptChoicRec::COptChoicRec() : CTXRecObj("OPTCHOIC") {}

COptChoicRec::COptChoicRec(int category, int choice) : CTXRecObj("OPTCHOIC"), m_category(category), m_choice(choice)
{
  if (Find(1) != 0) {
    m_category = 0;
    m_choice = 0;
  }
}

void COptChoicRec::UnpackRecord()
{
  m_category = ReadLong(1);
  m_choice = ReadLong(5);
  m_description = ReadString(9, 35);
}

void COptChoicRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  PutKeyLong(m_category, 1);
  PutKeyLong(m_choice, 5);
}

COptChoicRecArray::COptChoicRecArray(const COptChoicRecArray& source) : COwnArrayOf<COptChoicRec>()
{
  CopyFrom(source);
}

COptChoicRecArray& COptChoicRecArray::operator=(const COptChoicRecArray& source)
{
  if (this != &source)
    CopyFrom(source);
  return *this;
}

void COptChoicRecArray::CopyFrom(const COptChoicRecArray& source)
{
  COptChoicRecArray copy;
  for (int i = 0; i < source.GetSize(); ++i) {
    const COptChoicRec* element = source.GetAt(i);
    COptChoicRec* clone = element ? new (std::nothrow) COptChoicRec(*element) : nullptr;
    if (element && !clone)
      throw CTXDBException(kSource, kLineCopy, CTXDBException::readError);
    copy.Add(clone);
  }
  RemoveAll();
  for (int i = 0; i < copy.GetSize(); ++i)
    Add(copy.GetAt(i));
  copy.RemoveAllNoDelete();
}
