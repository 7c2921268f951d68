#pragma once
// What the project document and the views that show it know of each other. The document tells its
// views about changes to the stored designs with UpdateAllViews and the hints below; the small
// interfaces are how it asks a view for something without depending on the layers above it.
#include "platform/core/List.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CPlanViewInfoArray;

// Hints about the list of stored designs. The hint object is a CDesignListHint.
enum DesignListHint
{
  // A design was added under the new name.
  HINT_DESIGN_ADDED = 20,
  // The design of the old name is about to be deleted.
  HINT_DESIGN_DELETING = 21,
  // The design of the old name now has the new name.
  HINT_DESIGN_RENAMED = 22,
  // The whole list is to be shown afresh from the document; no hint object.
  HINT_DESIGN_LIST = 23
};

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
  // Takes a project name typed in the warehouse into the project data.
  virtual void CommitProjectName() = 0;
};

// Implemented by the Workbench view.
class CWorkbenchDataSource
{
public:
  virtual ~CWorkbenchDataSource() = default;
  // Writes quantity, design size, scale, scroll position and frame rectangle into the edited design.
  virtual void UpdateDesignWithWorkbenchData() = 0;
};

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
