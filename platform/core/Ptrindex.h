#pragma once
// The index an archive gave each class and object it stored, by address: storing many thousand
// objects costs no allocation each and frees in one piece. It grows (and rehashes) only past the
// room it was given.
#include <cstddef>

#include "platform/core/Ptrhash.h"
#include "platform/core/Types.h"

class CPtrIndexMap
{
public:
  // Room for `count` more entries than are stored, without growing on the way.
  void Reserve(size_t count) { m_map.Reserve(count); }
  // The index stored for the key; 0 when it has none.
  DWORD Lookup(const void* key) const
  {
    const DWORD* pIndex = m_map.Find(key);
    return pIndex ? *pIndex : 0;
  }
  // Stores a key that has no index yet; the index is not 0.
  void Insert(const void* key, DWORD index) { m_map[key] = index; }
  // Asks the processor to fetch the key's slot ahead of a lookup.
  void Prefetch(const void* key) const { m_map.Prefetch(key); }
  size_t GetCount() const { return m_map.GetCount(); }
  // How often the map had to grow because more entries came than it had room for.
  UINT GetGrowthCount() const { return m_map.GetGrowthCount(); }

private:
  CPtrHashMap<DWORD> m_map;
};
