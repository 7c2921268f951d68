#include "model/Sizing.h"

#include <new>

#include "support/ComExcpt.h"

namespace {
constexpr const char* kModule = "Sizing";
constexpr int kNoMemoryLine = 240;
}  // namespace

CSizingHandleArray::CSizingHandleArray(const CSizingHandleArray& source) : COwnArrayOf<CSizingHandle>()
{
  operator=(source);
}

CSizingHandleArray& CSizingHandleArray::operator=(const CSizingHandleArray& source)
{
  if (&source == this)
    return *this;
  RemoveAll();
  m_data.reserve(source.m_data.size());
  for (int i = 0; i < source.GetSize(); ++i) {
    const CSizingHandle* handle = source.GetAt(i);
    CSizingHandle* copy = handle ? new (std::nothrow) CSizingHandle(*handle) : nullptr;
    if (handle && !copy)
      throw CCommonMemoryException(kModule, kNoMemoryLine);
    Add(copy);
  }
  return *this;
}
