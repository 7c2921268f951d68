#pragma once
// What the project document asks of the views that show it. The views are found among the
// document's views by their run-time class; these small interfaces are how the document then
// talks to them without depending on the layers above it.
class CListBox;

// Implemented by the warehouse view.
class CDesignListOwner
{
public:
  virtual ~CDesignListOwner() = default;
  // The list box of design names that the document keeps in step with its stored designs.
  virtual CListBox* GetDesignListBox() = 0;
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

// Implemented by the report frames: 0 schedule, 1 unit information.
class CReportKindSource
{
public:
  virtual ~CReportKindSource() = default;
  virtual int GetReportKind() const = 0;
};
