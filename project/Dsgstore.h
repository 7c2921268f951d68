#pragma once
// A design kept in the project as the bytes of its own archive, with its name, window state and
// times. The design is rebuilt from the bytes only when it is needed.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Rect.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"
#include "support/Ownarray.h"

class CDesign;

// Thrown by a load whose progress answered that the user stopped it.
class CDesignLoadCancelled
{};

class CDesignStore : public CObject
{
  DECLARE_SERIAL(CDesignStore)
public:
  CDesignStore();
  // Copies duplicate the block; a block that cannot be allocated throws CAppException, which
  // gives the system's text for it. Moves take the block over and cannot fail.
  CDesignStore(const CDesignStore& other);
  CDesignStore& operator=(const CDesignStore& other);
  CDesignStore(CDesignStore&& other) noexcept = default;
  CDesignStore& operator=(CDesignStore&& other) noexcept = default;
  ~CDesignStore() override;

  CString GetName() const { return m_strName; }
  // The block's checksum, taken when first asked after the block changed: most stored designs
  // are read and written again without anyone asking.
  DWORD GetCRC() const;
  DWORD GetBlockLength() const { return static_cast<DWORD>(m_block.size()); }
  const std::vector<BYTE>& GetBlock() const { return m_block; }
  double GetDesignWidth() const { return m_dDesignWidth; }
  double GetDesignHeight() const { return m_dDesignHeight; }
  double GetScaleFactor() const { return m_dScaleFactor; }
  CPoint GetScrollPosition() const { return m_scrollPosition; }
  CRect GetWindowRect() const { return m_windowRect; }
  CTime GetCreated() const { return m_created; }
  CTime GetModified() const { return m_modified; }

  // Serializes the design into the block and takes its window state; modified becomes now.
  void Store(CDesign* design);
  // Rebuilds a freshly constructed design from the block; no block throws CAppException.
  void Retrieve(CDesign* design) const;
  // Renames the design inside the block (retrieve, rename, store).
  void SetName(const CString& name);
  // No block, no name, default window state, both times now; the design size stays.
  void Clear();
  // Takes the other record's view of the design: its scale, scroll position and window
  // rectangle. FALSE when this record had that view already.
  BOOL TakeView(const CDesignStore& other);

  // The stored-design record: stamp, name, block length and block, width, height, scale,
  // created, modified, scroll position, window rectangle.
  void Serialize(CArchive& ar) override;

private:
  void ReadBlock(CArchive& ar);
  // Size, scale, times, scroll position and window rectangle, in file order.
  void WriteWindowState(CArchive& ar) const;
  void ReadWindowState(CArchive& ar);
  void BlockChanged() { m_bChecksumTaken = false; }

  CString m_strName;
  std::vector<BYTE> m_block;
  mutable DWORD m_dwChecksum = 0;
  mutable bool m_bChecksumTaken = false;
  double m_dDesignWidth = 0.0;
  double m_dDesignHeight = 0.0;
  CTime m_created;
  CTime m_modified;
  double m_dScaleFactor = 0.0;
  CPoint m_scrollPosition;
  CRect m_windowRect{0, 0, 100, 100};
};

// The project's stored designs in list order; owns them. An index of the names, compared as
// CString::CompareNoCase compares them, finds a design without a walk over the list; so that it
// stays true, the list and its names change only through the members below.
class CDesignStoreArray : public COwnArrayOf<CDesignStore>
{
  DECLARE_DYNCREATE(CDesignStoreArray)
public:
  // Index of the first design whose name equals the given one without regard to case; -1 if none.
  int Find(const CString& name) const;
  // Appends a design and takes it over.
  int Add(CDesignStore* store);
  // Overwrites the record at the index with a copy of the given one (its name may differ); a
  // copy that cannot be made leaves the record as it was.
  void Replace(int index, const CDesignStore& store);
  // Overwrites the record at the index with the given one, taken over; this cannot fail.
  void Replace(int index, CDesignStore&& store);
  void RemoveAt(int index);
  void RemoveAll();
  // Count, then each stored design by reference.
  void Serialize(CArchive& ar) override;
  // Told before each design a load reads, with the designs read and their count; FALSE stops
  // the load with CDesignLoadCancelled. Empty: no one is told.
  void SetLoadProgress(std::function<BOOL(int done, int count)> progress) { m_loadProgress = std::move(progress); }

  // Members that would change the list without the index.
  void SetAt(int, CObject*) = delete;
  void SetAtGrow(int, CObject*) = delete;
  void InsertAt(int, CObject*, int) = delete;
  CObject*& ElementAt(int) = delete;
  void SetSize(int, int) = delete;
  void RemoveAtNoDelete(int, int) = delete;
  void RemoveAllNoDelete() = delete;

private:
  std::function<BOOL(int done, int count)> m_loadProgress;
  // One slot of the name index: a name's hash, its first design (-1 where the slot is free) and
  // where its folded bytes stand in the index's own text.
  struct CNameSlot
  {
    std::uint64_t hash = 0;
    int index = -1;
    std::uint32_t length = 0;
    size_t offset = 0;
  };
  // Hash of the name as the comparison sees it: up to its first NUL, ASCII letters in lower case.
  static std::uint64_t HashOf(const CString& name);
  // The slot holding the name's first design, or -1.
  long long FindSlot(const CString& name, std::uint64_t hash) const;
  // Whether the slot's folded name is the name's, compared as CString::CompareNoCase compares.
  bool Holds(const CNameSlot& slot, const CString& name) const;
  // A slot for the name, its folded bytes added to the index's text.
  CNameSlot NewSlot(const CString& name, std::uint64_t hash, int index) const;
  // The text of the names still indexed alone, when the names gone take more room than they.
  void Compact() const;
  // The index is a cache of the names: made at the first search after a load, then kept.
  void MakeIndex() const;
  void Index(int index) const;
  void Unindex(int index) const;
  void Reserve(size_t names) const;
  // Forgets the index, to be made again at the next search; nothing here allocates.
  void DropIndex() const;
  void Place(const CNameSlot& slot) const;
  void FreeSlot(size_t at) const;

  // Open addressing in one array, a power of two in size and at most half full: names cost no
  // allocation each, and the index of a whole list is made without growing.
  mutable std::vector<CNameSlot> m_slots;
  mutable size_t m_nNames = 0;
  // The folded names of the slots, one after another: a search compares its name with them in
  // the index, not in the designs found through it, which a large project has strewn about.
  mutable std::string m_folded;
  // Bytes of m_folded whose names are no longer indexed.
  mutable size_t m_nFoldedGone = 0;
  // Designs whose name an earlier design has; only a damaged or older file holds any.
  mutable size_t m_nRepeats = 0;
  mutable bool m_bIndexed = true;
};
