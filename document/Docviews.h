#pragma once
// What the project document and the views that show it know of each other. The document tells its
// views about changes to the stored designs with UpdateAllViews and the hints below; the small
// interfaces are how it asks a view for something without depending on the layers above it.
#include "geometry/2dvector.h"
#include "document/Dochints.h"
#include "platform/core/Array.h"
#include "platform/core/List.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CDetailSpecification;
class CJoin;
class CPlanViewInfoArray;
class CUnit;

// The design-list hints (kHintDesign...): document/Dochints.h.
class CDesignListHint : public CObject
{
  DECLARE_DYNAMIC(CDesignListHint)
public:
  CDesignListHint(const CString& oldName, const CString& newName) : m_strOldName(oldName), m_strNewName(newName) {}
  CString m_strOldName;
  CString m_strNewName;
};

// Implemented by the warehouse view.
class CDesignListOwner
{
public:
  virtual ~CDesignListOwner() = default;
  // Takes a project name typed in the warehouse into the project data. A name the project file
  // cannot hold is refused: told (tell) with the keyboard back in the field, and FALSE; untold,
  // the project keeps its last name, and TRUE.
  virtual BOOL CommitProjectName(BOOL tell) = 0;
};

// Implemented by views whose bar takes a typed value only when its field is left: a command the
// keyboard reached from the field (an accelerator, a menu, a tool button) takes it first.
class CTypedValuesHolder
{
public:
  virtual ~CTypedValuesHolder() = default;
  // FALSE when a typed value is refused; the user has been told and the field has the keyboard
  // (while nobody is asked, the refusal is answered unseen and the keyboard stays where it is).
  virtual BOOL TakeTypedValues() = 0;
};

// Implemented by the Workbench view.
class CWorkbenchDataSource
{
public:
  virtual ~CWorkbenchDataSource() = default;
  // Writes quantity, design size, scale, scroll position and frame rectangle into the edited design.
  virtual void UpdateDesignWithWorkbenchData() = 0;
};

// One unit of the elevation at its place on the Workbench (inches). The unit is not owned; a
// record without a unit ends the elevation there.
class CElevationViewInfo : public CObject
{
public:
  CElevationViewInfo() = default;
  CElevationViewInfo(const CVRX2DVector& position, CUnit* pUnit) : m_Position(position), m_pUnit(pUnit) {}
  CElevationViewInfo(const CElevationViewInfo& source)
    : CObject(), m_Position(source.m_Position), m_pUnit(source.m_pUnit)
  {}
  CElevationViewInfo& operator=(const CElevationViewInfo& source)
  {
    m_Position = source.m_Position;
    m_pUnit = source.m_pUnit;
    return *this;
  }

  CVRX2DVector m_Position;
  CUnit* m_pUnit = nullptr;
};

class CElevationViewInfoArray : public CArray<CElevationViewInfo, const CElevationViewInfo&>
{};

// Implemented by the Workbench view: the data the plan and elevation views draw.
class CAspectDataSource
{
public:
  virtual ~CAspectDataSource() = default;
  // Empties the array, gives the plan selector's height and one record per unit (and vertical
  // join) that its line crosses, in the order of the design's items.
  virtual void GetPlanViewInfo(double& selectorY, CPlanViewInfoArray* pInfo) = 0;
  // The unit items of the edited design in design order, those inside groups included; FALSE
  // when there are none or no design is edited.
  virtual BOOL GetElevationViewItems(CObList& items) = 0;
  // The units of those items with their positions, in the same order; FALSE as above. A unit
  // that cannot be made throws the unit model's exception.
  virtual BOOL GetElevationViewUnits(CElevationViewInfoArray& units) = 0;
};

// Implemented by the Workbench's detail selector, the hint object of hint 2: what the detail
// view draws. Kind 0 one side of a unit, 1 two facing sides at a distance, 2 a joining situation.
class CDetailSelection
{
public:
  virtual ~CDetailSelection() = default;
  virtual int GetDetailKind() const = 0;
  virtual CDetailSpecification GetFirstDetailSpec() const = 0;
  virtual CDetailSpecification GetSecondDetailSpec() const = 0;
  virtual CDetailSpecification GetJoinDetailSpec() const = 0;
  // Kind 1 the distance between the sides; kind 2 the join's total spacing.
  virtual double GetDetailOffset() const = 0;
  // Kind 2: the join's spacing on the second unit's side.
  virtual double GetJoinSideSpacing() const = 0;
  // The products of the selection, not owned; null where the kind has none. A unit that cannot
  // be made throws the unit model's exception.
  virtual CUnit* GetFirstUnit() const = 0;
  virtual CUnit* GetSecondUnit() const = 0;
  virtual CJoin* GetSelectedJoin() const = 0;
  // A copy that the caller owns.
  virtual CDetailSelection* CloneSelection() const = 0;
};

// Implemented by the drawing frames, which remember themselves whether they come back with their
// project: whether the frame was visible when its project last stepped back.
class CReactivationFlag
{
public:
  virtual ~CReactivationFlag() = default;
  virtual BOOL GetVisibleOnReactivation() const = 0;
  virtual void SetVisibleOnReactivation(BOOL bVisible) = 0;
};

// Implemented by the report frames: 0 schedule, 1 unit information.
class CReportKindSource
{
public:
  virtual ~CReportKindSource() = default;
  virtual int GetReportKind() const = 0;
};
