#pragma once
// Allocation that reports failure the program's way: a CCommonMemoryException naming the
// module and line of the allocation instead of std::bad_alloc.
#include <new>
#include <utility>

#include "support/ComExcpt.h"

template <class T, class... Args>
T* NewOrThrow(const char* module, int line, Args&&... args)
{
  try {
    return new T(std::forward<Args>(args)...);
  }
  catch (const std::bad_alloc&) {
    throw CCommonMemoryException(module, line);
  }
}
