#include "support/Ownarray.h"

#include <algorithm>
#include <memory>

#include "support/ComExcpt.h"

IMPLEMENT_DYNAMIC(CObOwnArray, CObArray)

namespace {
constexpr const char* kModule = "Ownarray";
constexpr int kCloneFailedLine = 144;
}  // namespace

CObOwnArray::~CObOwnArray() { RemoveAll(); }

void CObOwnArray::RemoveAll()
{
  for (CObject* ob : m_data)
    delete ob;
  CObArray::RemoveAll();
}

void CObOwnArray::RemoveAt(int index, int count)
{
  if (index < 0 || index >= GetSize() || count <= 0)
    return;
  count = std::min(count, GetSize() - index);
  for (int i = index; i < index + count; ++i)
    delete m_data[static_cast<size_t>(i)];
  CObArray::RemoveAt(index, count);
}

CClonableObArray::CClonableObArray(const CClonableObArray& source) : CObOwnArray() { operator=(source); }

CClonableObArray& CClonableObArray::operator=(const CClonableObArray& source)
{
  if (&source == this)
    return *this;
  CClonableObArray copy;
  copy.m_data.reserve(source.m_data.size());
  for (CObject* ob : source) {
    if (!ob) {
      copy.Add(nullptr);
      continue;
    }
    CClonableObject* clone = static_cast<CClonableObject*>(ob)->Clone();
    if (!clone)
      throw CCommonException(kModule, kCloneFailedLine);
    copy.Add(clone);
  }
  RemoveAll();
  m_data.swap(copy.m_data);
  return *this;
}
