#pragma once
// Hashed map with the class library's iteration order: buckets ascending, and within a bucket
// the most recently inserted key first. Stored files depend on this order.
#include <vector>

#include "platform/core/Object.h"
#include "platform/core/String.h"

template <class KEY>
inline UINT HashKey(KEY key)
{
  return static_cast<UINT>(static_cast<DWORD>(key)) >> 4;
}

template <>
inline UINT HashKey<const char*>(const char* key)
{
  UINT hash = 0;
  while (key && *key)
    hash = (hash << 5) + hash + static_cast<unsigned char>(*key++);
  return hash;
}

template <>
inline UINT HashKey<const CString&>(const CString& key)
{
  return HashKey<const char*>(key);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
  struct CAssoc : CPositionTag
  {
    CAssoc* pNext;
    UINT nHashValue;
    KEY key;
    VALUE value;
  };

public:
  explicit CMap(int /*blockSize*/ = 10) {}
  CMap(const CMap&) = delete;
  CMap& operator=(const CMap&) = delete;
  ~CMap() override { RemoveAll(); }

  int GetCount() const { return m_nCount; }
  int GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  UINT GetHashTableSize() const { return m_nHashTableSize; }

  // Takes effect only while the map is empty, as in the class library.
  void InitHashTable(UINT size)
  {
    if (m_nCount == 0 && size > 0) {
      m_nHashTableSize = size;
      m_table.clear();
    }
  }

  BOOL Lookup(ARG_KEY key, VALUE& value) const
  {
    const CAssoc* a = Find(key);
    if (!a)
      return FALSE;
    value = a->value;
    return TRUE;
  }
  VALUE& operator[](ARG_KEY key)
  {
    if (CAssoc* a = Find(key))
      return a->value;
    if (m_table.empty())
      m_table.assign(m_nHashTableSize, nullptr);
    UINT bucket = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    CAssoc* a = new CAssoc{{}, m_table[bucket], bucket, KEY(key), VALUE()};
    m_table[bucket] = a;
    ++m_nCount;
    return a->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
  BOOL RemoveKey(ARG_KEY key)
  {
    if (m_table.empty())
      return FALSE;
    CAssoc** link = &m_table[HashKey<ARG_KEY>(key) % m_nHashTableSize];
    for (; *link; link = &(*link)->pNext) {
      if ((*link)->key == key) {
        CAssoc* dead = *link;
        *link = dead->pNext;
        delete dead;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll()
  {
    for (CAssoc*& head : m_table) {
      while (head) {
        CAssoc* next = head->pNext;
        delete head;
        head = next;
      }
    }
    m_table.clear();
    m_nCount = 0;
  }

  POSITION GetStartPosition() const
  {
    for (CAssoc* head : m_table)
      if (head)
        return head;
    return nullptr;
  }
  void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
  {
    CAssoc* a = static_cast<CAssoc*>(pos);
    key = a->key;
    value = a->value;
    CAssoc* next = a->pNext;
    for (UINT b = a->nHashValue + 1; !next && b < m_nHashTableSize; ++b)
      next = m_table[b];
    pos = next;
  }

private:
  CAssoc* Find(ARG_KEY key) const
  {
    if (m_table.empty())
      return nullptr;
    for (CAssoc* a = m_table[HashKey<ARG_KEY>(key) % m_nHashTableSize]; a; a = a->pNext)
      if (a->key == key)
        return a;
    return nullptr;
  }

  std::vector<CAssoc*> m_table;
  UINT m_nHashTableSize = 17;
  int m_nCount = 0;
};

using CMapWordToPtr = CMap<WORD, WORD, void*, void*>;
