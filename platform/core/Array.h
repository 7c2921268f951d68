#pragma once
// Growable arrays with the class library's interface. Index arguments outside the array are
// clamped or ignored instead of corrupting memory; insertion past the end grows the array.
#include <algorithm>
#include <vector>

#include "platform/core/Object.h"
#include "platform/core/String.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
  CArray() = default;
  CArray(const CArray&) = default;
  CArray& operator=(const CArray&) = default;

  int GetSize() const { return static_cast<int>(m_data.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return m_data.empty(); }
  // The growth step is the class library's allocation detail; only the size is kept.
  void SetSize(int newSize, int /*growBy*/ = -1) { m_data.resize(static_cast<size_t>(std::max(newSize, 0))); }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); }

  const TYPE& GetAt(int index) const { return m_data.at(static_cast<size_t>(index)); }
  TYPE& ElementAt(int index) { return m_data.at(static_cast<size_t>(index)); }
  void SetAt(int index, ARG_TYPE element) { m_data.at(static_cast<size_t>(index)) = element; }
  const TYPE& operator[](int index) const { return GetAt(index); }
  TYPE& operator[](int index) { return ElementAt(index); }
  const TYPE* GetData() const { return m_data.data(); }
  TYPE* GetData() { return m_data.data(); }

  void SetAtGrow(int index, ARG_TYPE element)
  {
    if (index < 0)
      return;
    if (index >= GetSize())
      SetSize(index + 1);
    m_data[static_cast<size_t>(index)] = element;
  }
  int Add(ARG_TYPE element)
  {
    m_data.push_back(element);
    return GetSize() - 1;
  }
  int Append(const CArray& src)
  {
    int old = GetSize();
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return old;
  }
  void Copy(const CArray& src) { m_data = src.m_data; }
  void InsertAt(int index, ARG_TYPE element, int count = 1)
  {
    if (index < 0 || count <= 0)
      return;
    if (index >= GetSize())
      SetSize(index);
    m_data.insert(m_data.begin() + index, static_cast<size_t>(count), element);
  }
  void RemoveAt(int index, int count = 1)
  {
    if (index < 0 || index >= GetSize() || count <= 0)
      return;
    count = std::min(count, GetSize() - index);
    m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
  }

  auto begin() const { return m_data.begin(); }
  auto end() const { return m_data.end(); }
  auto begin() { return m_data.begin(); }
  auto end() { return m_data.end(); }

protected:
  std::vector<TYPE> m_data;
};

class CObArray : public CArray<CObject*, CObject*>
{
  DECLARE_SERIAL(CObArray)
public:
  // Count, then every element by reference with its class tag.
  void Serialize(CArchive& ar) override;
};

class CStringArray : public CArray<CString>
{
  DECLARE_SERIAL(CStringArray)
public:
  void Serialize(CArchive& ar) override;
};

class CDWordArray : public CArray<DWORD, DWORD>
{
  DECLARE_SERIAL(CDWordArray)
public:
  void Serialize(CArchive& ar) override;
};

using CWordArray = CArray<WORD, WORD>;
using CByteArray = CArray<BYTE, BYTE>;
using CUIntArray = CArray<UINT, UINT>;
using CPtrArray = CArray<void*, void*>;
