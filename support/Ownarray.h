#pragma once
// Object arrays that own their elements, and arrays that copy themselves by cloning each element.
#include "platform/core/Array.h"

class CObOwnArray : public CObArray
{
  DECLARE_DYNAMIC(CObOwnArray)
public:
  CObOwnArray() = default;
  CObOwnArray(const CObOwnArray&) = delete;
  CObOwnArray& operator=(const CObOwnArray&) = delete;
  ~CObOwnArray() override;

  // Deletes every non-null element, first to last, then empties the array.
  void RemoveAll();
  // Deletes the non-null elements of the slots that exist in index .. index+count-1, then removes
  // those slots; a count running past the end is cut at the end for both.
  void RemoveAt(int index, int count = 1);
  void RemoveAllNoDelete() { CObArray::RemoveAll(); }
  void RemoveAtNoDelete(int index, int count = 1) { CObArray::RemoveAt(index, count); }
};

class CClonableObject : public CObject
{
public:
  // A new heap object equal to this one, owned by the caller; null when none can be made.
  virtual CClonableObject* Clone() const = 0;
};

class CClonableObArray : public CObOwnArray
{
public:
  CClonableObArray() = default;
  CClonableObArray(const CClonableObArray& source);
  // Deep copy. The copy is built aside and swapped in only when every clone succeeded, so a
  // failed copy leaves this array as it was; null elements are copied as null.
  virtual CClonableObArray& operator=(const CClonableObArray& source);
};

// Typed access over an owning array; the element type must derive from CObject.
template <class T, class Base = CObOwnArray>
class COwnArrayOf : public Base
{
public:
  T* GetAt(int index) const { return static_cast<T*>(Base::GetAt(index)); }
  T* operator[](int index) const { return GetAt(index); }
  int Add(T* element) { return Base::Add(element); }
};
