#pragma once
// Small values by address: open addressing in one array, as the archive's index keeps them. A
// design of thousands of units files, finds and drops each of them in several such maps on
// every paste, move and delete; a node-based map allocates a node per key and walks its chain
// through memory scattered over the whole heap, while here a look-up mostly touches one place.
//
// A pointer or reference to a value holds only until the next insertion or erasure. The null
// address is a key like any other.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

template <class V>
class CPtrHashMap
{
public:
  size_t GetCount() const { return m_count; }
  bool IsEmpty() const { return m_count == 0; }

  V* Find(const void* key)
  {
    if (!key)
      return m_hasNull ? &m_nullValue : nullptr;
    const size_t i = Locate(key);
    return i == kNone ? nullptr : &m_slots[i].value;
  }
  const V* Find(const void* key) const
  {
    if (!key)
      return m_hasNull ? &m_nullValue : nullptr;
    const size_t i = Locate(key);
    return i == kNone ? nullptr : &m_slots[i].value;
  }
  bool Contains(const void* key) const { return Find(key) != nullptr; }

  // The key's value, a value-initialised one stored first when the key has none.
  V& operator[](const void* key)
  {
    if (!key) {
      if (!m_hasNull) {
        m_hasNull = true;
        m_nullValue = V{};
        ++m_count;
      }
      return m_nullValue;
    }
    if (const size_t i = Locate(key); i != kNone)
      return m_slots[i].value;
    if (2 * (m_count + 1) > m_slots.size()) {
      Rebuild(std::max<size_t>(16, 2 * m_slots.size()));
      ++m_growths;
    }
    size_t i = SlotOf(key);
    while (m_slots[i].key)
      i = Next(i);
    m_slots[i].key = key;
    m_slots[i].value = V{};
    ++m_count;
    return m_slots[i].value;
  }

  // FALSE when the key had no value.
  bool Erase(const void* key)
  {
    if (!key) {
      if (!m_hasNull)
        return false;
      m_hasNull = false;
      m_nullValue = V{};
      --m_count;
      return true;
    }
    size_t hole = Locate(key);
    if (hole == kNone)
      return false;
    // Entries after the hole that could sit in it move back, so that no search stops short of
    // them at an empty slot.
    for (size_t i = Next(hole); m_slots[i].key; i = Next(i)) {
      const size_t home = SlotOf(m_slots[i].key);
      if (((i - home) & Mask()) >= ((i - hole) & Mask())) {
        m_slots[hole] = std::move(m_slots[i]);
        hole = i;
      }
    }
    m_slots[hole] = Slot{};
    --m_count;
    return true;
  }

  // Asks the processor to fetch the key's slot ahead of a look-up.
  void Prefetch(const void* key) const
  {
    if (key && !m_slots.empty())
      __builtin_prefetch(&m_slots[SlotOf(key)]);
  }
  // How often the map had to grow because more keys came than it had room for.
  unsigned GetGrowthCount() const { return m_growths; }

  // Room for `count` keys more than it holds, without growing on the way.
  void Reserve(size_t count)
  {
    // Never fewer slots than the first insertion makes: a table of one slot has no bits to pick
    // a slot by.
    const size_t wanted = std::bit_ceil(std::max<size_t>(16, 2 * (m_count + count)));
    if (wanted > m_slots.size())
      Rebuild(wanted);
  }

  // A map that was well filled keeps its room for the next filling (a selection cleared and
  // made again); one that held few keys for its size gives the room back.
  void Clear()
  {
    if (m_count * 8 >= m_slots.size())
      std::fill(m_slots.begin(), m_slots.end(), Slot{});
    else {
      std::vector<Slot>().swap(m_slots);
      m_shift = 64;
    }
    m_count = 0;
    m_hasNull = false;
    m_nullValue = V{};
  }

  // Visits every key and its value, in no set order; visit may change the value only.
  template <class Visit>
  void ForEach(Visit visit)
  {
    if (m_hasNull)
      visit(static_cast<const void*>(nullptr), m_nullValue);
    for (Slot& slot : m_slots)
      if (slot.key)
        visit(slot.key, slot.value);
  }
  template <class Visit>
  void ForEach(Visit visit) const
  {
    if (m_hasNull)
      visit(static_cast<const void*>(nullptr), m_nullValue);
    for (const Slot& slot : m_slots)
      if (slot.key)
        visit(slot.key, slot.value);
  }

private:
  static constexpr size_t kNone = ~size_t{0};
  struct Slot
  {
    const void* key = nullptr;
    V value{};
  };
  size_t Mask() const { return m_slots.size() - 1; }
  size_t Next(size_t i) const { return (i + 1) & Mask(); }
  // Fibonacci hashing: the multiply carries every bit of the address into the top bits, which
  // pick the slot.
  size_t SlotOf(const void* key) const
  {
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
    return static_cast<size_t>((bits * 0x9E3779B97F4A7C15ull) >> m_shift);
  }
  size_t Locate(const void* key) const
  {
    if (m_slots.empty())
      return kNone;
    for (size_t i = SlotOf(key);; i = Next(i)) {
      if (m_slots[i].key == key)
        return i;
      if (!m_slots[i].key)
        return kNone;
    }
  }
  void Rebuild(size_t slotCount)
  {
    std::vector<Slot> old(slotCount);
    old.swap(m_slots);
    m_shift = 64 - std::countr_zero(slotCount);
    for (Slot& slot : old)
      if (slot.key) {
        size_t i = SlotOf(slot.key);
        while (m_slots[i].key)
          i = Next(i);
        m_slots[i] = std::move(slot);
      }
  }

  std::vector<Slot> m_slots;  // a power of two in size, at most half full
  int m_shift = 64;           // 64 less the bits of the size
  size_t m_count = 0;         // the null key's value among them
  unsigned m_growths = 0;
  bool m_hasNull = false;
  V m_nullValue{};
};

// Addresses alone, kept the same way.
class CPtrHashSet
{
public:
  CPtrHashSet() = default;
  template <class Iter>
  CPtrHashSet(Iter first, Iter last)
  {
    m_map.Reserve(static_cast<size_t>(std::distance(first, last)));
    for (; first != last; ++first)
      Insert(*first);
  }
  void Insert(const void* key) { m_map[key] = true; }
  bool Contains(const void* key) const { return m_map.Contains(key); }
  size_t GetCount() const { return m_map.GetCount(); }

private:
  CPtrHashMap<bool> m_map;
};
