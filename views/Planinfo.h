#pragma once
// One unit or join that the plan selector line crosses, with its base point on the Workbench:
// what the Workbench hands the plan assembler. The records point at the items' products and own
// nothing.
#include "geometry/2dpoint.h"
#include "platform/core/Array.h"

class CJoin;
class CUnit;

class CPlanViewInfo : public CObject
{
public:
  CPlanViewInfo() = default;
  CPlanViewInfo(const CVRX2DPoint& position, CUnit* pUnit) : m_Position(position), m_pUnit(pUnit) {}
  CPlanViewInfo(const CVRX2DPoint& position, CJoin* pJoin) : m_Position(position), m_pJoin(pJoin) {}
  CPlanViewInfo(const CPlanViewInfo& source) = default;
  CPlanViewInfo& operator=(const CPlanViewInfo& source) = default;

  const CVRX2DPoint& GetPosition() const { return m_Position; }
  // Null in a join record.
  CUnit* GetUnit() const { return m_pUnit; }
  // Null in a unit record.
  CJoin* GetJoin() const { return m_pJoin; }
  BOOL IsJoin() const { return m_pJoin != nullptr; }

private:
  CVRX2DPoint m_Position;
  CUnit* m_pUnit = nullptr;
  CJoin* m_pJoin = nullptr;
};

// In the order in which the Workbench meets its items, not sorted by position.
class CPlanViewInfoArray : public CArray<CPlanViewInfo>
{};
