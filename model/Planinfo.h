#pragma once
// The plan record: one unit or join that the plan selector line crosses, at its base point on
// the Workbench. The Workbench fills an array of them in the order it meets its items; the plan
// assembler lays them out left to right. Neither pointer is owned.
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
  CPlanViewInfo(const CPlanViewInfo& source)
    : CObject(), m_Position(source.m_Position), m_pUnit(source.m_pUnit), m_pJoin(source.m_pJoin)
  {}
  CPlanViewInfo& operator=(const CPlanViewInfo& source)
  {
    m_Position = source.m_Position;
    m_pUnit = source.m_pUnit;
    m_pJoin = source.m_pJoin;
    return *this;
  }

  const CVRX2DPoint& GetPosition() const { return m_Position; }
  // Null in a join record.
  CUnit* GetUnit() const { return m_pUnit; }
  // Null in a unit record.
  CJoin* GetJoin() const { return m_pJoin; }
  BOOL IsJoin() const { return m_pJoin != nullptr; }

  CVRX2DPoint m_Position;
  CUnit* m_pUnit = nullptr;
  CJoin* m_pJoin = nullptr;
};

// Held by value; the array destroys its records with itself.
class CPlanViewInfoArray : public CArray<CPlanViewInfo, const CPlanViewInfo&>
{};
