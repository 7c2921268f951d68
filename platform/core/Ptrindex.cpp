#include "platform/core/Ptrindex.h"

#include <bit>
#include <algorithm>
#include <cstdint>

void CPtrIndexMap::Reserve(size_t count)
{
  size_t wanted = std::bit_ceil(2 * (m_count + count));
  if (wanted > m_slots.size())
    Rebuild(wanted);
}

// Fibonacci hashing: the multiply carries every bit of the address into the top bits, which
// pick the slot.
size_t CPtrIndexMap::SlotOf(const void* key) const
{
  auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
  return static_cast<size_t>((bits * 0x9E3779B97F4A7C15ull) >> m_shift);
}

DWORD CPtrIndexMap::Lookup(const void* key) const
{
  if (m_slots.empty())
    return 0;
  for (size_t i = SlotOf(key);; i = (i + 1) & (m_slots.size() - 1)) {
    if (m_slots[i].key == key)
      return m_slots[i].index;
    if (!m_slots[i].key)
      return 0;
  }
}

void CPtrIndexMap::Insert(const void* key, DWORD index)
{
  if (2 * (m_count + 1) > m_slots.size()) {
    Rebuild(std::max<size_t>(16, 2 * m_slots.size()));
    ++m_growths;
  }
  size_t i = SlotOf(key);
  while (m_slots[i].key)
    i = (i + 1) & (m_slots.size() - 1);
  m_slots[i] = Slot{key, index};
  ++m_count;
}

void CPtrIndexMap::Rebuild(size_t slotCount)
{
  std::vector<Slot> old(slotCount);
  old.swap(m_slots);
  m_shift = 64 - std::countr_zero(slotCount);
  m_count = 0;
  for (const Slot& slot : old)
    if (slot.key) {
      size_t i = SlotOf(slot.key);
      while (m_slots[i].key)
        i = (i + 1) & (m_slots.size() - 1);
      m_slots[i] = slot;
      ++m_count;
    }
}
