#pragma once
// The index an archive gave each class and object it stored, by address: open addressing in one
// array, so storing many thousand objects costs no allocation each and frees in one piece. It
// grows (and rehashes) only past the room it was given.
#include <cstddef>
#include <vector>

#include "platform/core/Types.h"

class CPtrIndexMap
{
public:
  // Room for `count` more entries than are stored, without growing on the way.
  void Reserve(size_t count);
  // The index stored for the key; 0 when it has none.
  DWORD Lookup(const void* key) const;
  // Stores a key that has no index yet; the index is not 0.
  void Insert(const void* key, DWORD index);
  // Asks the processor to fetch the key's slot ahead of a lookup.
  void Prefetch(const void* key) const
  {
    if (!m_slots.empty())
      __builtin_prefetch(&m_slots[SlotOf(key)]);
  }
  size_t GetCount() const { return m_count; }
  // How often the map had to grow because more entries came than it had room for.
  UINT GetGrowthCount() const { return m_growths; }

private:
  struct Slot
  {
    const void* key = nullptr;
    DWORD index = 0;
  };
  void Rebuild(size_t slotCount);
  size_t SlotOf(const void* key) const;

  std::vector<Slot> m_slots;  // a power of two in size, at most half full
  int m_shift = 64;           // 64 less the bits of the size
  size_t m_count = 0;
  UINT m_growths = 0;
};
