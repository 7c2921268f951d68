// The consistency check of the alignment tables: the slots of each group, the runs that name each
// item's slots, the enabled counts, the position and sides indices, and the arcs an engine
// counts per item.
// Tests call it after each step, and through the watch before a changed group is read, so that a
// fault in the bookkeeping is told by name instead of ending a look-up in a crash; it reads no
// entry before the slot and run leading to it are found sound.
#include <cstdarg>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "workbench/snap/Likalign.h"
#include "workbench/snap/Snapeng.h"

namespace {
std::string Said(const char* format, ...)
{
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}
}  // namespace

std::string CLikeAlignmentEntities::CheckConsistency() const
{
  const int size = m_Entries.GetSize();
  std::vector<int> runOf(static_cast<size_t>(size), -1);
  std::vector<const void*> itemOf(static_cast<size_t>(size), nullptr);
  const int runs = static_cast<int>(m_Runs.size());
  std::string problem = CheckRuns(runOf, itemOf);
  if (!problem.empty())
    return problem;
  // An entry no run names was taken out and may be deleted: it is named before any is read.
  int empty = 0;
  for (int slot = 0; slot < size; ++slot) {
    if (m_Entries[slot] && runOf[static_cast<size_t>(slot)] < 0)
      return Said("slot %d holds an entry that no item's runs name", slot);
    empty += m_Entries[slot] == nullptr;
  }
  if (empty != m_nEmptySlots)
    return Said("%d of %d slots are empty, the count of empty slots says %d", empty, size, m_nEmptySlots);
  int enabled = 0;
  std::vector<int> enabledOfRun(static_cast<size_t>(runs), 0);
  for (int slot = 0; slot < size; ++slot) {
    const CAlignmentEntity* pEntry = m_Entries[slot];
    if (!pEntry)
      continue;
    if (pEntry->m_pItem != itemOf[static_cast<size_t>(slot)])
      return Said("slot %d holds an entry of item %p, the run naming it is item %p's", slot,
                  static_cast<const void*>(pEntry->m_pItem), itemOf[static_cast<size_t>(slot)]);
    if (!pEntry->m_pEntity)
      return Said("slot %d holds an entry without an entity", slot);
    if (m_nOrientation == laeEmpty || GetOrientationOf(*pEntry) != m_nOrientation)
      return Said("slot %d holds an entry of orientation %d in a group of orientation %d", slot,
                  GetOrientationOf(*pEntry), m_nOrientation);
    const int on = pEntry->m_bEnabled ? 1 : 0;
    enabled += on;
    enabledOfRun[static_cast<size_t>(runOf[static_cast<size_t>(slot)])] += on;
  }
  if (enabled != m_nEnabled)
    return Said("%d entries are enabled, the count of enabled entries says %d", enabled, m_nEnabled);
  for (int slot = 0; slot < size; ++slot) {
    const int run = runOf[static_cast<size_t>(slot)];
    if (run >= 0 && enabledOfRun[static_cast<size_t>(run)] != m_Runs[static_cast<size_t>(run)].enabled)
      return Said("run %d holds %d enabled entries, it counts %d", run, enabledOfRun[static_cast<size_t>(run)],
                  m_Runs[static_cast<size_t>(run)].enabled);
  }
  if (size == empty && m_nOrientation != laeEmpty)
    return Said("the group holds no entry but has orientation %d", m_nOrientation);
  problem = CheckIndex();
  return problem.empty() ? CheckSpans() : problem;
}

void CLikeAlignmentEntities::TellWatch() const
{
  m_bChangedSinceWatch = FALSE;
  const std::string problem = CheckConsistency();
  if (problem.empty())
    return;
  const char* kind = m_nOrientation == laeHorizontal ? "horizontal"
                     : m_nOrientation == laeVertical ? "vertical"
                     : m_nOrientation == laeSloped   ? "sloped"
                                                     : "empty";
  s_watch(Said("the %s lines' group, before its entries are read: ", kind) + problem);
}

std::string CLikeAlignmentEntities::CheckRuns(std::vector<int>& runOf, std::vector<const void*>& itemOf) const
{
  const int size = m_Entries.GetSize();
  const int runs = static_cast<int>(m_Runs.size());
  std::vector<char> free(static_cast<size_t>(runs), 0);
  int steps = 0;
  for (int run = m_nFreeRun; run >= 0; run = m_Runs[static_cast<size_t>(run)].next) {
    if (run >= runs || ++steps > runs || free[static_cast<size_t>(run)])
      return Said("the free runs lead to run %d of %d, or in a circle", run, runs);
    free[static_cast<size_t>(run)] = 1;
  }
  std::string problem;
  m_FirstRun.ForEach([&](const void* pItem, int first) {
    int last = -1;
    int visited = 0;
    for (int run = first; run >= 0 && problem.empty(); run = m_Runs[static_cast<size_t>(run)].next) {
      if (run >= runs || ++visited > runs || free[static_cast<size_t>(run)]) {
        problem = Said("the runs of item %p lead to run %d of %d, a free one, or in a circle", pItem, run, runs);
        return;
      }
      const CSlotRun& r = m_Runs[static_cast<size_t>(run)];
      if (r.count <= 0 || r.first <= last || r.first + r.count > size || r.enabled < 0 || r.enabled > r.count) {
        problem = Said("run %d of item %p names %d slots from %d (after slot %d) of %d, %d enabled", run, pItem,
                       r.count, r.first, last, size, r.enabled);
        return;
      }
      for (int slot = r.first; slot < r.first + r.count; ++slot) {
        if (!m_Entries[slot] || runOf[static_cast<size_t>(slot)] >= 0) {
          problem = Said("run %d of item %p names slot %d, which is empty or another run's", run, pItem, slot);
          return;
        }
        runOf[static_cast<size_t>(slot)] = run;
        itemOf[static_cast<size_t>(slot)] = pItem;
      }
      last = r.first + r.count - 1;
    }
  });
  return problem;
}

std::string CLikeAlignmentEntities::CheckIndex() const
{
  if (!m_bIndexValid)
    return {};
  if (m_nIndexed > m_Entries.GetSize() || static_cast<int>(m_Index.size()) != m_nIndexed)
    return Said("the position index holds %d places for %d entries indexed of %d", static_cast<int>(m_Index.size()),
                m_nIndexed, m_Entries.GetSize());
  for (size_t i = 0; i < m_Index.size(); ++i) {
    if (m_Index[i].second < 0 || m_Index[i].second >= m_nIndexed || !m_Entries[m_Index[i].second])
      return Said("place %d of the position index names slot %d, outside the entries indexed or empty",
                  static_cast<int>(i), m_Index[i].second);
    if (i > 0 && m_Index[i] < m_Index[i - 1])
      return Said("the position index is out of order at place %d", static_cast<int>(i));
  }
  return {};
}

std::string CLikeAlignmentEntities::CheckSpans() const
{
  if (!m_bIndexValid)
    return {};
  const BOOL byY = m_nOrientation == laeHorizontal;
  std::vector<char> placed(static_cast<size_t>(m_nIndexed), 0);
  const auto named = [&](int entry) {
    if (entry < 0 || entry >= m_nIndexed || !m_Entries[entry] || placed[static_cast<size_t>(entry)])
      return false;
    placed[static_cast<size_t>(entry)] = 1;
    return true;
  };
  const auto position = [&](const CAlignmentEntity& entry) {
    const CVRX2DEntity* pEntity = entry.GetEntity();
    if (pEntity->GetType() != VRX_LINE)
      return -HUGE_VAL;
    const CVRX2DPoint& start = static_cast<const CVRX2DLine*>(pEntity)->GetStartPoint();
    return byY ? start.GetY() : start.GetX();
  };
  for (size_t i = 0; i < m_Spans.size(); ++i) {
    const CSpanPlace& place = m_Spans[i];
    if (!named(place.entry))
      return Said("place %d of the sides index names slot %d, outside the entries indexed, empty or named twice",
                  static_cast<int>(i), place.entry);
    const CAlignmentEntity& entry = *m_Entries[place.entry];
    const CAlignmentEntity::CSidesSpan& span = entry.m_SidesSpan;
    if (!span.known || place.at != position(entry) || place.from != (byY ? span.minX : span.minY) ||
        place.to != (byY ? span.maxX : span.maxY) || place.to - place.from > m_dLongestSpan)
      return Said("place %d of the sides index does not hold where slot %d lies and its sides reach",
                  static_cast<int>(i), place.entry);
    if (i > 0 && place < m_Spans[i - 1])
      return Said("the sides index is out of order at place %d", static_cast<int>(i));
  }
  for (size_t i = 0; i < m_Unspanned.size(); ++i) {
    const int entry = m_Unspanned[i].second;
    if (!named(entry))
      return Said("place %d of the entries without known sides names slot %d, outside the entries indexed, empty "
                  "or named twice",
                  static_cast<int>(i), entry);
    const CAlignmentEntity& unspanned = *m_Entries[entry];
    if ((unspanned.m_SidesSpan.known && unspanned.GetEntity()->GetType() == VRX_LINE) ||
        m_Unspanned[i].first != position(unspanned))
      return Said("place %d of the entries without known sides holds slot %d, which has known sides or lies "
                  "elsewhere",
                  static_cast<int>(i), entry);
    if (i > 0 && m_Unspanned[i] < m_Unspanned[i - 1])
      return Said("the entries without known sides are out of order at place %d", static_cast<int>(i));
  }
  for (int slot = 0; slot < m_nIndexed; ++slot) {
    if (placed[static_cast<size_t>(slot)])
      continue;
    const CAlignmentEntity::CSidesSpan& span = m_Entries[slot]->m_SidesSpan;
    // Only an entry without sides faces nothing and is left out.
    if (!span.known || (byY ? span.minX <= span.maxX : span.minY <= span.maxY))
      return Said("slot %d is in neither the sides index nor the entries without known sides", slot);
  }
  return {};
}

std::string CLikeAlignmentGroups::CheckConsistency() const
{
  for (int i = 0; i < GetSize(); ++i) {
    const CLikeAlignmentEntities* pGroup = GetAt(i);
    if (!pGroup)
      continue;
    const int orientation = pGroup->GetOrientation();
    const int expected = i == 0 ? laeHorizontal : i == 1 ? laeVertical : laeSloped;
    if (orientation != laeEmpty && orientation != expected)
      return Said("group %d holds lines of orientation %d", i, orientation);
    const std::string problem = pGroup->CheckConsistency();
    if (!problem.empty())
      return Said("group %d: ", i) + problem;
  }
  return {};
}

std::string CSnapEngine::CheckConsistency() const
{
  std::string problem = m_PerimeterGroups.CheckConsistency();
  if (!problem.empty())
    return "perimeter lines, " + problem;
  problem = m_OtherGroups.CheckConsistency();
  if (!problem.empty())
    return "other lines, " + problem;
  std::unordered_map<const CDesignItem*, int> arcs;
  for (int i = 0; i < m_ArcEntities.GetSize(); ++i) {
    const CAlignmentEntity* pEntry = m_ArcEntities[i];
    if (!pEntry || !pEntry->m_pEntity || pEntry->m_pEntity->GetType() != VRX_ARC)
      return Said("arc slot %d holds no arc", i);
    ++arcs[pEntry->m_pItem];
  }
  if (arcs != m_ArcCounts)
    return Said("the arcs belong to %d items, the counts of arcs name %d or count otherwise",
                static_cast<int>(arcs.size()), static_cast<int>(m_ArcCounts.size()));
  if (m_nShrinkRevision > m_nRevision)
    return "the last revision that took entries away is later than the tables' revision";
  return {};
}
