#pragma once
// The alignment tables of the Workbench view: every alignment line of every item, filed in like
// groups by orientation (horizontal, vertical, one group per slope), so that a moving line only
// meets lines parallel to it. Horizontal and vertical groups also keep their entries sorted by
// position, so a snap visits only the entries within its range, however many items lie about;
// and by how far their sides reach along the line, so a join snap visits only the entries with a
// side facing the moving line, however many units stand on the same line.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "geometry/Angle.h"
#include "geometry/2dline.h"
#include "geometry/Entity.h"
#include "platform/core/Array.h"
#include "platform/core/Ptrhash.h"
#include "support/Ownarray.h"

class CDesignItem;
class CVRX2DTransformationMatrix;

// The component indices of an entry: nearly always one or two, held in the entry itself.
class CSideIndices
{
public:
  int GetSize() const { return m_nCount; }
  UINT operator[](int i) const { return i < kHeld ? m_held[i] : m_more[static_cast<size_t>(i - kHeld)]; }
  void Add(UINT index);
  void RemoveAll();
  void Copy(const CSideIndices& source) { *this = source; }

private:
  static constexpr int kHeld = 2;
  UINT m_held[kHeld] = {};
  int m_nCount = 0;
  std::vector<UINT> m_more;
};

// Deletes an entry's entity of the heap, not the entry's own line.
struct CEntryEntityDeleter
{
  bool owned = true;
  void operator()(CVRX2DEntity* pEntity) const
  {
    if (owned)
      delete pEntity;
  }
};

// One alignment entity of one item as the tables hold it. Only the tables change an entry they
// hold: they keep it in their position index and count it enabled or not, and the engine gives
// out a new revision with each change, so an entry changed behind them would leave all three
// wrong. An entry is built (its sides added, a group's own entries moved, a spare one filled in)
// while no table holds it; building a filed one is a fatal error.
class CAlignmentEntity : public CObject
{
public:
  // Takes over the heap entity.
  CAlignmentEntity(CVRX2DEntity* pEntity, CDesignItem* pItem, int enabled);
  // Holds a copy of the entity; a plain line is held in the entry itself.
  CAlignmentEntity(const CVRX2DEntity& entity, CDesignItem* pItem, int enabled);
  // A copy, held by no table.
  CAlignmentEntity(const CAlignmentEntity& source);
  CAlignmentEntity& operator=(const CAlignmentEntity&) = delete;

  const CVRX2DEntity* GetEntity() const { return m_pEntity.get(); }
  CDesignItem* GetItem() const { return m_pItem; }
  // The unit's component outline lines that lie on this line, with their component indices.
  // A unit's own entry holds the indices only: its lines are the unit's component outlines.
  const CVRX2DEntityArray& GetPerimeterLines() const { return m_PerimeterLines; }
  const CSideIndices& GetIndices() const { return m_Indices; }
  BOOL IsEnabled() const { return m_bEnabled != 0; }
  // The direction of the entry's line, worked out once: snapping asks for it at every step.
  const CVRXAngle& GetDirection() const;
  // How far the sides the join search would be given reach along x and along y, as the engine
  // found them when it filed the entry; not known (any side may face any line) for an entry of
  // an item whose outlines the engine was not given. Empty, min above max, when it has none.
  struct CSidesSpan
  {
    BOOL known = FALSE;
    double minX = HUGE_VAL;
    double maxX = -HUGE_VAL;
    double minY = HUGE_VAL;
    double maxY = -HUGE_VAL;
  };
  const CSidesSpan& GetSidesSpan() const { return m_SidesSpan; }

  // Building an entry no table holds.
  // A side on the line by its component index alone, or with a copy of its line.
  void AddSide(UINT index);
  void AddSide(const CVRX2DEntity& line, UINT index);
  void Transform(const CVRX2DTransformationMatrix& matrix);
  // Makes the entry what CAlignmentEntity(entity, pItem, enabled) makes, reusing what it holds:
  // a moved selection files thousands of entries anew.
  void Reuse(const CVRX2DEntity& entity, CDesignItem* pItem, int enabled);

private:
  friend class CLikeAlignmentEntities;
  friend class CSnapEngine;
  friend class COutOfStep;
  // Fatal when a table holds the entry.
  void ExpectUnfiled() const;
  // Points m_pEntity at a copy of the entity: the entry's own line for a plain line (a table of
  // thousands of entries is read with one fetch per entry less), a heap copy otherwise.
  void Hold(const CVRX2DEntity& entity);

  std::unique_ptr<CVRX2DEntity, CEntryEntityDeleter> m_pEntity;
  CDesignItem* m_pItem;
  CVRX2DEntityArray m_PerimeterLines;
  CSideIndices m_Indices;
  int m_bEnabled;
  // Set by the table that holds the entry, cleared when it hands the entry over.
  BOOL m_bFiled = FALSE;
  // The entity when it is a plain line.
  CVRX2DLine m_Line;
  mutable CVRXAngle m_Direction;
  mutable BOOL m_bDirectionKnown = FALSE;
  CSidesSpan m_SidesSpan;
};

using CAlignmentEntityArray = COwnArrayOf<CAlignmentEntity>;

// Group orientations.
enum
{
  laeSloped = 0,
  laeHorizontal = 1,
  laeEmpty = 2,
  laeVertical = 3
};

class CLikeAlignmentEntities : public CObject
{
  DECLARE_DYNCREATE(CLikeAlignmentEntities)
public:
  CLikeAlignmentEntities() = default;
  // Under a watch, the entries the group deletes are checked first.
  ~CLikeAlignmentEntities() override { Watch(); }
  CLikeAlignmentEntities(const CLikeAlignmentEntities&) = delete;
  CLikeAlignmentEntities& operator=(const CLikeAlignmentEntities&) = delete;

  static int GetOrientationOf(const CAlignmentEntity& entry);
  static double GetSlopeOf(const CAlignmentEntity& entry);
  int GetOrientation() const { return m_nOrientation; }
  double GetSlope() const { return m_dSlope; }
  void Add(CAlignmentEntity* pEntry);
  // The entries, closed up, to read: only the group files, removes and switches them.
  const CAlignmentEntityArray& GetEntities();
  void AppendAll(CObArray& out) const;
  void AppendByCategory(int category, CObArray& out) const;
  void AppendByItem(const CDesignItem* pItem, CObArray& out) const;
  // With pKept the entries are handed over there, in filing order, instead of deleted.
  int RemoveItem(const CDesignItem* pItem, std::vector<CAlignmentEntity*>* pKept = nullptr);
  // Every entry of the item enabled or disabled.
  void SetItemEnabled(const CDesignItem* pItem, int flag);
  // FALSE when every entry is disabled, as all are while the whole selection moves: nothing
  // here can then snap or offer a line, and the entries need not be visited.
  BOOL HasEnabled() const { return m_nEnabled > 0; }
  // What is inconsistent in the group's bookkeeping (its slots, the items' runs, the enabled
  // counts, the position index), by name; empty when nothing is (Tabcheck.cpp).
  std::string CheckConsistency() const;
  // For tests: while a watch is set, a group changed since its last check is checked before its
  // entries are next read, and the watch is told what is inconsistent, so that a fault a change
  // left (an entry taken out but left in its slot) is named before a look-up reads it. The
  // watch must not return when told of a fault. Without a watch nothing is checked.
  using CWatch = void (*)(const std::string& problem);
  static void SetWatch(CWatch watch) { s_watch = watch; }
  // The indices, ascending, of the entries that may lie within reach of a line through the
  // point: all of them for a sloped group, else those whose position is within reach.
  void FindNear(double x, double y, double reach, std::vector<int>& out);
  // The same entries in no set order, handed to visit until it answers true; no list is made.
  template <class Visit>
  bool AnyNear(double x, double y, double reach, Visit visit);
  // Of the entries FindNear finds, those whose sides are not known or reach within `along` of
  // the stretch from..to along the group's line (x for a horizontal group, y for a vertical one):
  // with `along` the reach, the only ones a join snap of a line over that stretch can be made with.
  void FindFacing(double x, double y, double reach, double from, double to, double along, std::vector<int>& out);

private:
  // Tests put the bookkeeping out of step through it, to see the check name each fault.
  friend class COutOfStep;
  static inline CWatch s_watch = nullptr;
  mutable BOOL m_bChangedSinceWatch = FALSE;
  // Before the entries are read: the watch's check (Tabcheck.cpp), at the cost of a test when
  // no watch is set.
  void Watch() const
  {
    if (s_watch && m_bChangedSinceWatch)
      TellWatch();
  }
  void TellWatch() const;
  int m_nOrientation = laeEmpty;
  double m_dSlope = 0.0;
  // The entries in the order they were filed. The entries of a removed item leave empty slots
  // that the next look-up closes up: the items of a whole selection are taken out one by one,
  // and closing up the array for each would cost the whole table each time.
  CAlignmentEntityArray m_Entries;
  // The slots of each item's entries, ascending, as runs of neighbouring slots: an item files
  // its entries one after another, so nearly every item has one run, and a table of thousands
  // of items makes no allocation per item.
  struct CSlotRun
  {
    int first = 0;
    int count = 0;
    int next = -1;    // the item's next run, or the next free one
    int enabled = 0;  // how many of its entries are enabled: taking an item out reads no entry
  };
  std::vector<CSlotRun> m_Runs;
  int m_nFreeRun = -1;
  // Each item's first run.
  CPtrHashMap<int> m_FirstRun;
  // The item the last entry was filed for, and its last run.
  const CDesignItem* m_pLastItem = nullptr;
  int m_nLastRun = -1;
  int m_nEmptySlots = 0;
  int m_nEnabled = 0;
  int NewRun(int slot, int enabled);
  // Calls visit(slot) for each of the item's slots, ascending; FALSE when it has none.
  template <class Visit>
  BOOL ForEachSlot(const CDesignItem* pItem, Visit visit) const;
  void CloseUp();
  // Position (y of a horizontal line, x of a vertical one) and entry index, by position.
  // FALSE for a sloped group, which has no position index.
  BOOL EnsureIndex();
  // The check of the free runs and of each item's runs, which marks the run and item of each
  // slot they name; and of the position index.
  std::string CheckRuns(std::vector<int>& runOf, std::vector<const void*>& itemOf) const;
  std::string CheckIndex() const;
  std::string CheckSpans() const;
  std::vector<std::pair<double, int>> m_Index;
  // The entries with known sides by position, then by where their sides begin along the line;
  // those without, by position. The longest reach of sides along the line bounds how far before
  // a stretch the sides facing it may begin.
  struct CSpanPlace
  {
    double at = 0.0;
    double from = 0.0;
    double to = 0.0;
    int entry = 0;
    bool operator<(const CSpanPlace& other) const
    {
      return at != other.at ? at < other.at : from != other.from ? from < other.from : entry < other.entry;
    }
  };
  std::vector<CSpanPlace> m_Spans;
  std::vector<std::pair<double, int>> m_Unspanned;
  double m_dLongestSpan = 0.0;
  // FALSE once an entry left or moved; the entries filed after the first m_nIndexed are added
  // at the next look-up.
  BOOL m_bIndexValid = FALSE;
  int m_nIndexed = 0;
};

template <class Visit>
bool CLikeAlignmentEntities::AnyNear(double x, double y, double reach, Visit visit)
{
  CloseUp();
  if (!EnsureIndex()) {
    for (int i = 0; i < m_Entries.GetSize(); ++i)
      if (visit(i))
        return true;
    return false;
  }
  const double at = m_nOrientation == laeHorizontal ? y : x;
  for (auto it = m_Index.begin(); it != m_Index.end() && it->first == -HUGE_VAL; ++it)
    if (visit(it->second))
      return true;
  auto first = std::lower_bound(m_Index.begin(), m_Index.end(), std::make_pair(at - reach, -1));
  for (auto it = first; it != m_Index.end() && it->first <= at + reach; ++it)
    if (visit(it->second))
      return true;
  return false;
}

class CLikeAlignmentGroups : public COwnArrayOf<CLikeAlignmentEntities>
{
public:
  // Through a const view the groups are only read.
  const CLikeAlignmentEntities* GetAt(int index) const { return COwnArrayOf::GetAt(index); }
  CLikeAlignmentEntities* GetAt(int index) { return COwnArrayOf::GetAt(index); }
  const CLikeAlignmentEntities* operator[](int index) const { return GetAt(index); }
  CLikeAlignmentEntities* operator[](int index) { return GetAt(index); }
  void Add(CAlignmentEntity* pEntry);
  // The group of lines parallel to the line, or none.
  CLikeAlignmentEntities* FindLike(const CVRX2DLine& line);
  const CLikeAlignmentEntities* FindLike(const CVRX2DLine& line) const;
  // The same for a line whose direction (its GetAngle) is already known.
  CLikeAlignmentEntities* FindLike(const CVRX2DLine& line, const CVRXAngle& direction);
  const CLikeAlignmentEntities* FindLike(const CVRX2DLine& line, const CVRXAngle& direction) const;
  BOOL HasGroups() const;
  // Whether any group holds an enabled entry.
  BOOL HasEnabled() const;
  void GetAll(CObArray& out) const;
  void GetByCategory(int category, CObArray& out) const;
  void GetByItem(const CDesignItem* pItem, CObArray& out) const;
  void SetItemEnabled(const CDesignItem* pItem, int flag);
  // The number of entries taken out.
  int RemoveItem(const CDesignItem* pItem, std::vector<CAlignmentEntity*>* pKept = nullptr);
  // What is inconsistent in any group, or in which group lines stand, by name; empty when
  // nothing is.
  std::string CheckConsistency() const;

private:
  CLikeAlignmentEntities* Slot(int index);
};
