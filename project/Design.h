#pragma once
// A design: the header of one arrangement of units (name, quantity, Workbench state) and the
// list of its design items, which the design owns.
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/core/List.h"
#include "platform/core/Rect.h"
#include "platform/core/String.h"

class CDesignData : public CObject
{
  DECLARE_DYNCREATE(CDesignData)
public:
  // The quantities a design can be ordered in.
  static constexpr int kMinQuantity = 0;
  static constexpr int kMaxQuantity = 99999;

  CDesignData() = default;

  CString GetName() const { return m_strName; }
  void SetName(const CString& name) { m_strName = name; }
  int GetQuantity() const { return m_nQuantity; }
  void SetQuantity(int quantity) { m_nQuantity = quantity; }
  double GetWorkbenchExtentX() const { return m_dWorkbenchExtentX; }
  double GetWorkbenchExtentY() const { return m_dWorkbenchExtentY; }
  double GetDesignWidth() const { return m_dDesignWidth; }
  void SetDesignWidth(double width) { m_dDesignWidth = width; }
  double GetDesignHeight() const { return m_dDesignHeight; }
  void SetDesignHeight(double height) { m_dDesignHeight = height; }
  double GetScaleFactor() const { return m_dScaleFactor; }
  void SetScaleFactor(double scale) { m_dScaleFactor = scale; }
  CPoint GetScrollPosition() const { return m_scrollPosition; }
  void SetScrollPosition(const CPoint& position) { m_scrollPosition = position; }
  CRect GetWindowRect() const { return m_windowRect; }
  void SetWindowRect(const CRect& rect) { m_windowRect = rect; }
  int GetReservedValue() const { return m_nReservedValue; }
  BOOL GetReservedFlag() const { return m_bReservedFlag; }

  // Stamp, name, quantity, the two extents, the reserved flag (BYTE) and value (WORD). The window
  // state travels in the stored-design record instead.
  void Serialize(CArchive& ar) override;

private:
  CString m_strName;
  int m_nQuantity = 1;
  double m_dWorkbenchExtentX = 1440.0;
  double m_dWorkbenchExtentY = 1440.0;
  double m_dDesignWidth = 120.0;
  double m_dDesignHeight = 120.0;
  int m_nReservedValue = 0;
  BOOL m_bReservedFlag = FALSE;
  double m_dScaleFactor = 0.0;
  CPoint m_scrollPosition;
  CRect m_windowRect{0, 0, 100, 100};
};

// How a design reads its items without knowing their classes. The Workbench installs it together
// with its item classes; the item base class is registered for loading as "CDesignItem".
class CDesignItemAccess
{
public:
  enum
  {
    unitItem = 1,
    joinItem = 2,
    groupItem = 5
  };
  virtual ~CDesignItemAccess() = default;
  virtual int GetItemType(const CObject* item) const = 0;
  // Appends the group's unit items (and join items when asked); TRUE when it appended any.
  virtual BOOL GetUnitsInGroup(CObject* group, CObList& units, BOOL withJoins) const = 0;
  // The two unit items a join item joins (none for a side it cannot stand for); FALSE when the
  // access cannot tell, and the join is then kept as loaded.
  virtual BOOL GetJoinedUnits(const CObject* join, CObject*& first, CObject*& second) const;
  // The members a group item owns; none for any other object.
  virtual const CObList* GetGroupMembers(const CObject* item) const;
  // A group item lets go of its members without deleting them; any other object is left alone.
  virtual void ReleaseGroupMembers(CObject* item) const;
  // A group item lets go of one member without deleting it or rebuilding itself.
  virtual void ReleaseGroupMember(CObject* group, CObject* member) const;
};

class CDesign : public CObject
{
  DECLARE_DYNCREATE(CDesign)
public:
  CDesign();
  ~CDesign() override;
  CDesign(const CDesign&) = delete;
  CDesign& operator=(const CDesign&) = delete;

  CString GetName() const { return m_designData.GetName(); }
  void SetName(const CString& name) { m_designData.SetName(name); }
  int GetQuantity() const { return m_designData.GetQuantity(); }
  CDesignData& GetDesignData() { return m_designData; }
  const CDesignData& GetDesignData() const { return m_designData; }
  CObList& GetItemList() { return m_itemList; }

  // Empties the list, then gathers the unit items (and join items when asked), expanding groups.
  // The gathered list does not own its elements. TRUE when it is not empty.
  BOOL GetUnitsInDesign(CObList& units, BOOL withJoins) const;

  // Stamp, design data, then the items by reference (count, then each with its class tag).
  void Serialize(CArchive& ar) override;

  static void SetItemAccess(const CDesignItemAccess* access);

private:
  void SerializeItems(CArchive& ar);
  void ReadItems(CArchive& ar);
  // Every item, in the list or in a group, is owned once and was made by this design's bytes.
  void CheckOwnership(const std::unordered_set<const CObject*>& made) const;
  // The items the list and its groups own, nested groups included.
  std::unordered_set<const CObject*> GetOwnedItems() const;
  // A refused design frees whatever its bytes made, each object once.
  void DeleteMadeObjects(const std::vector<CObject*>& objects);
  // Drops the loaded join items, in the list or in a group, whose units are not among the loaded
  // items; a unit only such a join referred to goes with it when this design's bytes made it.
  void DropStrayJoins(const std::unordered_set<const CObject*>& made);
  // The joins of one list (the design's or a group's) that stand for nothing, with their owner.
  void FindStrayJoins(CObject* owner, const CObList& list, const std::unordered_set<const CObject*>& units,
                      std::vector<std::pair<CObject*, CObject*>>& strays) const;
  void DeleteItems();

  CObList m_itemList;
  CDesignData m_designData;
};
