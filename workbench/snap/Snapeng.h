#pragma once
// The snapping and alignment engine of the Workbench: the alignment tables (perimeter lines,
// other lines, arcs, guideline snap points), the snapping priority table and the two ranges.
// It answers one snap query at a time in model coordinates; what it cannot know of the items
// (the join search, a group's member units, a unit's component outlines) it asks its host.
// Nothing here needs a window, an application, a document or a catalogue.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "geometry/2dline.h"
#include "geometry/2dpoint.h"
#include "geometry/2dvector.h"
#include "platform/core/Array.h"
#include "workbench/snap/Likalign.h"
#include "workbench/snap/Snapvec.h"

class CDesignItem;

// Mode word: free movement, and the bit that constrains the move to the query's direction.
constexpr int kSnapFreeMode = 3;
constexpr int kSnapConstrainedMode = 32;

// What the join search reads and writes of a joining snap: its length and direction, its
// category (9 for joining), and which components and items the join was evaluated for.
struct CJoinSnapRecord
{
  double length = 0.0;
  double angle = 0.0;
  int category = 0;
  int movingIndex = -1;
  int stationaryIndex = -1;
  CDesignItem* pMovingItem = nullptr;
  CDesignItem* pStationaryItem = nullptr;
};

// One snap request: how the item moves, whether the move is being committed, the range to
// search, whether this is the joining pass, the moving item and the component index of the
// moving line, and whether Shift is held (which constrains a move to its larger axis).
struct CSnapQuery
{
  int mode = kSnapFreeMode;
  double direction = 0.0;
  // A committed move: the engine keeps the units it moves and the joins its snaps propose until
  // EndCommittedMoves joins the units where they end.
  int create = 0;
  double range = 0.0;
  BOOL joining = FALSE;
  CDesignItem* pItem = nullptr;
  int index = -1;
  BOOL shift = FALSE;
  // A unit snapped again where it stands (after its properties changed): it is not pulled
  // against a unit whose side it faces, which only a join may stand it beside.
  BOOL resnap = FALSE;
  // A new join's line snaps only to the lines of units whose sides reach along its own stretch:
  // the units standing on the same line elsewhere in the design have no say in where it stands.
  BOOL withinSpan = FALSE;
};

// One outline line of a moving item as AdjustOffset takes it, before the move.
struct CSnapOutline
{
  const CVRX2DEntity* pEntity = nullptr;
  CDesignItem* pItem = nullptr;
  int index = -1;
  // Guideline lines snap only to the guideline snap points.
  BOOL guideline = FALSE;
  // A side of a unit of a moved group that does not lie on the group's outline: it snaps and
  // joins to nothing, which only the group's outline does, but is kept clear of the units it
  // faces like every side of a moved unit.
  BOOL inner = FALSE;
};

// What the engine asks of the items around it.
class CSnapHost
{
public:
  virtual ~CSnapHost() = default;
  // The join search for one joining snap of a moving line against the colinear perimeter lines
  // of a stationary entry; corrects the record to the join spacing and makes no join. FALSE when
  // no join fits; when no stationary line overlaps the moving line along its direction also
  // nothing else changes, so the engine does not ask about entries whose lines lie elsewhere on
  // the line.
  virtual BOOL EvaluateSnapForJoin(const CVRX2DLine& movingLine, CDesignItem* pMovingItem, int movingIndex,
                                   CDesignItem* pStationaryItem, const CVRX2DEntityArray& stationaryLines,
                                   const CDWordArray& stationaryIndices, CJoinSnapRecord& snap) = 0;
  // Where a committed move ended: a side of a moved unit and the colinear perimeter lines of a
  // unit standing still within the join range of it. Each of them the side faces at exactly
  // the spacing of the join the two may have is joined to it.
  virtual void JoinWhereSpaced(const CVRX2DLine& movingLine, CDesignItem* pMovingItem, int movingIndex,
                               CDesignItem* pStationaryItem, const CVRX2DEntityArray& stationaryLines,
                               const CDWordArray& stationaryIndices) = 0;
  // For the entry of a group, the entries of its member units that lie on it, each with its
  // colinear perimeter lines; FALSE when the entry's item is no group.
  virtual BOOL GetGroupMemberEntries(const CAlignmentEntity& entry, CObOwnArray& members) = 0;
  // A unit item's component outlines; null for any other item, as for a group. An item's
  // entries are filed anew whenever its outlines change.
  virtual const CVRX2DEntityArray* GetUnitOutlines(CDesignItem* pItem) = 0;
  // How wide and how high the units the item's entries stand for are at most: the unit's own
  // size for a unit, the largest of its units' for a group; nought when not known.
  virtual CVRX2DVector GetItemSize(CDesignItem* pItem) = 0;
};

class CSnapEngine
{
public:
  explicit CSnapEngine(CSnapHost* pHost = nullptr);
  CSnapEngine(const CSnapEngine&) = delete;
  CSnapEngine& operator=(const CSnapEngine&) = delete;

  void SetHost(CSnapHost* pHost) { m_pHost = pHost; }

  // Ranges: the snap range is given (5 pixels at the present scale); the join range is the
  // larger of it and the join capture distance.
  void SetSnapRange(double snapRange);
  double GetSnapRange() const { return m_dSnapRange; }
  double GetJoinSnapRange() const { return m_dJoinSnapRange; }
  void SetJoinCaptureDistance(double distance) { m_dJoinCaptureDistance = distance; }
  double GetJoinCaptureDistance() const { return m_dJoinCaptureDistance; }
  void SetAutoJoin(BOOL bAutoJoin) { m_bAutoJoin = bAutoJoin; }
  BOOL GetAutoJoin() const { return m_bAutoJoin; }

  // The snapping priority of a moving line's category against an alignment entity's.
  int GetSnapPriority(int moving, int alignment) const;

  // Tables (Snaptab.cpp).
  // The sides the join search is given for a perimeter entry, where they reach along x and y.
  CAlignmentEntity::CSidesSpan SidesSpanOf(const CAlignmentEntity& entry) const;
  // Where the unit an entry of the other lines belongs to reaches, which a new join's snap asks
  // about; not known for an entry of any other item.
  CAlignmentEntity::CSidesSpan ItemSpanOf(const CAlignmentEntity& entry) const;
  // Files an entry (owned from now on) by its kind: arcs, perimeter lines, other lines.
  void AddEntry(CAlignmentEntity* pEntry);
  // With pKept the item's entries are handed over there instead of deleted, to be filed again.
  void RemoveItem(const CDesignItem* pItem, std::vector<CAlignmentEntity*>* pKept = nullptr);
  void SetItemEnabled(const CDesignItem* pItem, BOOL bEnable);
  static BOOL CollectColinearPerimeterLines(CAlignmentEntity& entry, const CVRX2DEntityArray& lines);
  // The same with the directions of the lines (LineDirections) worked out once for all the
  // entries of an item.
  static BOOL CollectColinearPerimeterLines(CAlignmentEntity& entry, const CVRX2DEntityArray& lines,
                                            const std::vector<CVRXAngle>& directions);
  // The direction of each line of the array; zero for any other entity.
  static std::vector<CVRXAngle> LineDirections(const CVRX2DEntityArray& lines);
  // Appends the indices of the lines of the array that lie on line (of the given direction).
  static void AppendColinearIndices(const CVRX2DLine& line, const CVRXAngle& direction, const CVRX2DEntityArray& lines,
                                    const std::vector<CVRXAngle>& directions, std::vector<UINT>& indices);
  BOOL IsOnAlignmentEntity(const CVRX2DEntity& entity, const CDesignItem* pIgnored);
  // Changes with every change of the tables (an entry filed, an item's entries taken out,
  // enabled or disabled) and is never the same for two engines, so an answer of
  // IsOnAlignmentEntity kept with it is known to hold while it stays.
  std::uint64_t GetRevision() const { return m_nRevision; }
  // What is inconsistent in the tables (Tabcheck.cpp), by name; empty when nothing is. Tests call
  // it after each step: a fault is told there instead of ending a later look-up in a crash.
  std::string CheckConsistency() const;
  // An answer of yes of IsOnAlignmentEntity found at the revision still holds when it was this
  // engine's and since then entries were only filed: filing never takes a yes away, taking
  // entries out or switching them on or off may.
  BOOL OnlyFiledSince(std::uint64_t revision) const { return revision >= m_nShrinkRevision && revision <= m_nRevision; }
  // The tables to read: they change only through the engine, which keeps their revision.
  const CLikeAlignmentGroups& GetPerimeterGroups() const { return m_PerimeterGroups; }
  const CLikeAlignmentGroups& GetOtherGroups() const { return m_OtherGroups; }
  const CAlignmentEntityArray& GetArcEntities() const { return m_ArcEntities; }
  // The crossings of the guideline centre lines of all items but the moving one; callers add
  // the items' own points after them.
  void BuildGuidelineCrossings(const CDesignItem* pMovingItem);
  CVRX2DPointArray& GetGuidelineSnapPoints() { return m_GuidelineSnapPoints; }
  const CVRX2DPointArray& GetGuidelineSnapPoints() const { return m_GuidelineSnapPoints; }

  // Snapping (Snapeng.cpp).
  // A proposed move of an item's outline: the Shift state of the query constrains it to its
  // larger axis; the answer is the move corrected by the first of its candidate ends that leaves
  // every moved unit clear of the units standing still (Snapjoin.cpp).
  CVRX2DVector AdjustOffset(const CVRX2DVector& offset, const std::vector<CSnapOutline>& outlines, CSnapQuery query);

  // The end of the committed moves (Snapend.cpp), once their units stand where they were put.
  struct CProposedJoin
  {
    CDesignItem* pMoving = nullptr;
    int movingIndex = -1;
    CDesignItem* pStationary = nullptr;
    int stationaryIndex = -1;
  };
  struct CMoveEnd
  {
    // The units the moves moved.
    std::vector<CDesignItem*> moved;
    // Moved units that end inside a unit standing still, and those units: none of them is joined.
    std::vector<CDesignItem*> inside;
    // The joins the moves' snaps proposed, each a pair of sides.
    std::vector<CProposedJoin> proposed;
  };
  // Joins the moved units where they now stand: with joining on, the host is asked about every
  // side of a moved unit and each unit standing still whose side faces it within the join range,
  // leaving out the units that end inside one another. The committed moves are then forgotten.
  CMoveEnd EndCommittedMoves();
  // Whether the units of these outlines, moved by v as they are, end clear of the units standing
  // still: none of their sides inside one of them. With `still` only the units it names count
  // as standing still; the others are passed over.
  BOOL MoveEndsClear(const std::vector<CSnapOutline>& outlines, const CVRX2DVector& v,
                     const std::function<bool(const CDesignItem*)>& still = nullptr);
  // Forgets what committed moves not yet ended kept; a move starting anew does.
  void ForgetCommittedMoves();
  // A moved line against the tables: the joining pass first when joins are made automatically,
  // then the perimeter and the other lines at the snap range. The query's range and joining
  // flag are set here.
  void SnapTo(const CVRX2DLine& line, CSnapQuery query, CSnapVectorArray& vectors);
  // A guideline's moved line against the guideline snap points.
  void SnapTo(const CVRX2DLine& line, CSnapVectorArray& vectors);
  int SnapLineToEntity(const CVRX2DLine& line, const CSnapQuery& query, const CAlignmentEntity& entry,
                       CSnapVectorArray& vectors);
  // A point against the perimeter lines (join range), the other lines and the arcs.
  CVRX2DVector SnapPoint(const CVRX2DPoint& p, int mode, double direction);
  int SnapPointToArcs(const CVRX2DPoint& p, int mode, double direction, double range, CSnapVectorArray& vectors);
  BOOL AlignJoinEnds(const CVRX2DVector& v, CSnapVectorArray& vectors);
  CVRX2DVector CombineSnapVectors(CSnapVectorArray& vectors) const;

private:
  // Tests put the bookkeeping out of step through it, to see the check name each fault.
  friend class COutOfStep;
  // A moved line, or a point, against one of the engine's own tables.
  int SnapLineTo(const CVRX2DLine& line, const CSnapQuery& query, CLikeAlignmentGroups& groups,
                 CSnapVectorArray& vectors);
  int SnapPointTo(const CVRX2DPoint& p, int mode, double direction, CLikeAlignmentGroups& groups, double range,
                  CSnapVectorArray& vectors);
  BOOL SnapLineToGroupMembers(const CVRX2DLine& line, const CSnapQuery& query, const CAlignmentEntity& entry,
                              CSnapVectorArray& vectors);
  // The snaps of a move's lines, with the joining pass or without it.
  void CollectSnaps(const CVRX2DVector& v, const std::vector<CSnapOutline>& outlines, CSnapQuery query, BOOL joining,
                    CSnapVectorArray& vectors);
  void SnapMovedLine(const CVRX2DLine& line, CSnapQuery query, BOOL joining, CSnapVectorArray& vectors);
  // Calls visit(side, owner) for each side of a unit that an entry stands for: the sides it
  // holds, the unit's component outlines it names, or those of a group's member units on it.
  template <class Visit>
  void ForEachSideOf(const CAlignmentEntity& entry, Visit visit);
  // The join search for a join snap found at distance d; on success the snap is recorded.
  int RecordJoinSnap(const CVRX2DLine& line, const CSnapQuery& query, const CAlignmentEntity& entry, double d,
                     double snapDirection, CSnapVectorArray& vectors);

  // The tables changed: a revision no engine had before.
  void Revise();

  // A side of the moving item that a join snap of this request stands against: the corrected
  // snap, the outward direction of the stationary side and how far outside it the moving side
  // stood before the correction (negative inside).
  struct CJoinFace
  {
    CSnapVector snap;
    double outward = 0.0;
    double gap = 0.0;
  };
  void NoteJoinFace(const CVRX2DLine& line, const CSnapVector& snap, const CVRX2DEntityArray& lines,
                    const CDWordArray& indices, int stationaryIndex);
  // The correction of a move with its snaps (Snapjoin.cpp), the first of its candidate ends
  // that leaves every moved unit clear: all of them; else one join kept with the snaps across
  // it; else the snaps the move would have with joining off; else none.
  CVRX2DVector CorrectionFor(const CVRX2DVector& v, const std::vector<CSnapOutline>& outlines, const CSnapQuery& query,
                             CSnapVectorArray& vectors);
  CVRX2DVector CombinedWithEnds(const CVRX2DVector& v, CSnapVectorArray& vectors);
  // One join snap in turn with the join snaps across it and the other snaps, the shorter first:
  // the first correction that keeps its join and every unit clear. FALSE when none does.
  BOOL OneJoinKept(const CVRX2DVector& v, const CSnapVectorArray& others, CVRX2DVector& correction);
  BOOL Keeps(const CVRX2DVector& correction) { return LeavesFacesClear(correction) && KeepsUnitsClear(correction); }
  // The faces of each outward direction, bound by the one standing least outside.
  struct CFaceBound
  {
    double x = 0.0;
    double y = 0.0;
    double gap = 0.0;
  };
  void SettleFaces();
  BOOL LeavesFacesClear(const CVRX2DVector& correction) const;
  std::vector<CJoinFace> m_Faces;
  std::vector<CFaceBound> m_FaceBounds;

  // A side of a unit that stands still, faced by a side of a moved unit (Snapclear.cpp): the
  // stationary side's start, its direction and its outward normal, the stretch of it the moved
  // side spans where the move alone put it, how far outside it the moved side stood there
  // (negative inside), how far the unit reaches behind it (worked out when first asked), and the
  // moved unit.
  struct CFacedSide
  {
    CVRX2DVector start;
    CVRX2DVector along;
    CVRX2DVector outward;
    double from = 0.0;
    double to = 0.0;
    double length = 0.0;
    double gap = 0.0;
    CDesignItem* pOwner = nullptr;
    double depth = -1.0;
    CDesignItem* pMoved = nullptr;
  };
  // Whether a correction leaves every moved unit clear of every unit standing still: checked on
  // every side of every moved unit against the sides of those units that it faces, ahead of it
  // within the correction's reach and behind it as far as a unit reaches, so that a unit the
  // move alone put inside another is never taken deeper, nor left less deep inside it.
  BOOL KeepsUnitsClear(const CVRX2DVector& correction);
  // Whether the moved side, corrected, ends inside the unit of the side it faces.
  BOOL EndsInside(CFacedSide& side, const CVRX2DVector& correction);
  // The sides faced ahead of the moved sides within `ahead`, and behind them as deep as any
  // unit reaches.
  void GatherFacedSides(double ahead);
  double DepthBehind(CFacedSide& side);
  // How wide and how high any unit of the tables is at most, as the host gave it when its
  // entries were filed: a side inside a unit is never farther than that from the side it
  // entered by, across an upright or a level side, and the diagonal across any other. It only
  // grows; an item taken out leaves it as it was.
  CVRX2DVector m_vLargestSize;
  // The item whose size was taken last: an item's entries are filed one after the other.
  const CDesignItem* m_pSizeItem = nullptr;
  // How deep a unit may reach behind a side of the group's lines.
  double DeepestBehind(const CLikeAlignmentEntities& group) const;

  // The committed moves not yet ended (Snapend.cpp): their units and the joins proposed. A
  // move is kept with its outlines and where its correction took it: a correction of any
  // length was checked to leave every moved unit clear.
  void KeepCommittedMove(const std::vector<CSnapOutline>& outlines, const CVRX2DVector& adjusted,
                         const CVRX2DVector& correction);
  // The sides, with their component indices, that an entry of a unit stands for, as the join
  // search is given them: its own perimeter lines, or the unit's outlines it names (lent).
  const CVRX2DEntityArray* SidesFor(const CAlignmentEntity& entry, CDWordArray& indices);
  // Calls visit(entry) for the entry, or for a group's entry for the entries of its units on it.
  template <class Visit>
  void ForEachUnitEntryOf(const CAlignmentEntity& entry, Visit visit);
  std::vector<CDesignItem*> m_CommittedUnits;
  std::vector<CProposedJoin> m_Proposed;
  // A side of each committed move whose correction left its units clear, and where it was to
  // end: where the units stand there, none of them is inside another, and the end need not
  // look. Any other move makes the end look.
  struct CClearEnd
  {
    CDesignItem* pItem = nullptr;
    int index = -1;
    CVRX2DPoint start;
  };
  std::vector<CClearEnd> m_ClearEnds;
  BOOL m_bEndUnknown = FALSE;
  // Whether every committed move ended where its clear correction put it.
  BOOL EndsKnownClear() const;
  // The move being corrected: its lines and its vector, and the faced sides found around it,
  // ahead of them within m_dFacedReach (negative while none were looked for).
  const std::vector<CSnapOutline>* m_pMovingOutlines = nullptr;
  CVRX2DVector m_vMove;
  // Which units count as standing still while a move's end is checked; all but the moving ones
  // when null.
  const std::function<bool(const CDesignItem*)>* m_pStill = nullptr;
  std::vector<CFacedSide> m_FacedSides;
  double m_dFacedReach = -1.0;

  // The items, two at most, that offer an entry on one line: what IsOnAlignmentEntity asks of
  // the entries, but which item asks.
  struct CLineOffers
  {
    BOOL bAny = FALSE;
    const CDesignItem* pFirst = nullptr;
    BOOL bMany = FALSE;
  };
  // The offers on an exactly horizontal or vertical line. The answer for such a line depends
  // only on its y (or x) and on the item that asks, so a redraw of thousands of units standing
  // in rows looks each row and column up once per revision of the tables.
  const CLineOffers& OffersOnAxisLine(const CVRX2DLine& line, BOOL bHorizontal);
  std::unordered_map<double, CLineOffers> m_HorizontalOffers;
  std::unordered_map<double, CLineOffers> m_VerticalOffers;
  // What the offers were found under: they hold while all three stay.
  std::uint64_t m_nOffersRevision = 0;
  double m_dOffersPointTolerance = 0.0;
  double m_dOffersAngleTolerance = 0.0;

  static constexpr int kCategoryCount = 25;
  CSnapHost* m_pHost;
  std::uint64_t m_nRevision = 0;
  // The revision of the last change that may have turned a yes into a no; at first the
  // engine's first revision, so that no earlier engine's revision passes for one of its own.
  std::uint64_t m_nShrinkRevision = 0;
  std::array<std::array<int, kCategoryCount>, kCategoryCount> m_SnapPriorityTable{};
  double m_dSnapRange = 0.0;
  double m_dJoinSnapRange = 0.0;
  double m_dJoinCaptureDistance = 0.0;
  BOOL m_bAutoJoin = TRUE;
  CLikeAlignmentGroups m_PerimeterGroups;
  CLikeAlignmentGroups m_OtherGroups;
  CAlignmentEntityArray m_ArcEntities;
  // Lends a unit's own sides to the join search (never owning them), kept between the join
  // evaluations of a drag's steps so that none of them allocates. The search never snaps, so
  // one evaluation at a time uses it.
  CVRX2DEntityArray m_LentLines;
  // Lets go of the lent lines, unowned, however the search that borrowed them ends.
  struct CLending
  {
    CVRX2DEntityArray& lines;
    ~CLending() { lines.RemoveAllNoDelete(); }
  };
  // How many of the arcs each item offers; items without arcs are not in it.
  std::unordered_map<const CDesignItem*, int> m_ArcCounts;
  CVRX2DPointArray m_GuidelineSnapPoints;
};
