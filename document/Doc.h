#pragma once
// The project document: the document/view adapter over the project. It forwards to the project,
// which holds the version record, project data, preferences, stored designs, the edited design
// and the project file, and answers the project's questions with message boxes. Views learn of
// changes to the stored designs through UpdateAllViews hints (Docviews.h).
#include <memory>

#include "ui/docview/Doc.h"
#include "project/Docmsg.h"
#include "project/Project.h"

class CProgress;
class CView;

class CDoc : public CDocument, private CProjectHost
{
  DECLARE_SERIAL(CDoc)
  DECLARE_MESSAGE_MAP()
public:
  // The views of a project, as the document finds them among its views.
  enum ProjectView
  {
    warehouseView,
    workbenchView,
    planView,
    elevationView,
    detailView,
    scheduleReportView,
    unitInfoReportView,
    projectViewCount
  };

  CDoc();
  ~CDoc() override;

  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
  void OnCloseDocument() override;
  void OnChangedViewList() override;
  // Tag, version record, project data, project preferences, stored designs.
  void Serialize(CArchive& ar) override { m_project.Serialize(ar); }
  // Writes the project to a new file beside nothing it replaces; the document stays as it is.
  void SaveCopy(const CString& path) { m_project.SaveCopy(path); }

  // Modified state: the flag, backed by the CRC-32 of the serialized project.
  void SetProjectModified(BOOL modified);
  BOOL IsProjectModified();
  void UpdateProjectModified();
  // Takes a project name still being typed in the design list into the project data: the field
  // keeps the keyboard through a menu command or an accelerator, so it may not have been left.
  // A name the project file cannot hold is refused: told (tell), giving FALSE with the keyboard
  // back in the field; untold, the project keeps the name it had.
  BOOL CommitTypedProjectName(BOOL tell = TRUE);
  // The one check of typed values: the project name and every view's values still being typed
  // (the Workbench's quantity among them), before anything stores, saves, reports or asks about
  // the project; FALSE when a value was refused (the user has been told, and the refused field
  // has the keyboard with its text selected).
  BOOL TakeTypedValues();

  // The edited design and its snapshot.
  CDesign* GetEditedDesign() const { return m_project.GetEditedDesign(); }
  // FALSE when the new design cannot be made (the user has been told).
  BOOL NewEditedDesign();
  // FALSE, after telling the user, when the stored design cannot be rebuilt; the edited design
  // is then left as it was.
  BOOL EditStoredDesign(int index) { return m_project.EditStoredDesign(index); }
  void CloseEditedDesign() { m_project.CloseEditedDesign(); }
  int GetEditedDesignIndex() const { return m_project.GetEditedDesignIndex(); }
  const CDesignStore& GetEditedDesignSnapshot() const { return m_project.GetEditedDesignSnapshot(); }
  // FALSE when the user cancelled or the store failed (the user has been told).
  BOOL StoreEditedDesign(BOOL ask, BOOL allowCancel) { return m_project.StoreEditedDesign(ask, allowCancel); }
  // TRUE when the edited design is as last stored; a design that cannot be compared is told as a
  // failed store and counts as changed.
  BOOL IsEditedDesignAsStored() { return m_project.IsEditedDesignAsStored(); }
  // The typed values, then the question whether to store a changed edited design; FALSE when a
  // value was refused, the user cancelled or the store failed.
  BOOL OkToCloseEditedDesign();
  // Takes what the windows show (the typed project name, the Workbench) into the project without
  // asking, for a recovery copy; TRUE when the stored designs changed.
  BOOL KeepWhatIsShown();

  // The stored designs, as the design list uses them. Bad indexes and names raise CAppException.
  int GetDesignCount() const { return m_project.GetDesignCount(); }
  int FindDesign(const CString& name) const { return m_project.FindDesign(name); }
  CString GetDesignName(int index) const { return m_project.GetDesignName(index); }
  void AddDesign(const CDesignStore& store) { m_project.AddDesign(store); }
  void ReplaceDesign(const CDesignStore& store, int index) { m_project.ReplaceDesign(store, index); }
  void DeleteDesign(int index) { m_project.DeleteDesign(index); }
  // FALSE, after telling the user, when the design cannot be rebuilt to take the new name.
  BOOL RenameDesign(int index, const CString& newName) { return m_project.RenameDesign(index, newName); }
  // Tells the views to show the whole list of stored designs afresh.
  void FillDesignList();
  // Writes stored design [index] as one record (the design clipboard's payload).
  void SerializeStoredDesign(CArchive& ar, int index) { m_project.SerializeStoredDesign(ar, index); }
  // The reports' walk: each stored design rebuilt in turn into the walk, which owns it; one that
  // cannot be rebuilt is skipped after telling the user once.
  CDesign* GetFirstDesign(CDesignWalk& walk) { return m_project.GetFirstDesign(walk); }
  CDesign* GetNextDesign(CDesignWalk& walk) { return m_project.GetNextDesign(walk); }
  CString GetNewDesignName() const { return m_project.GetNewDesignName(); }

  // The document's views by kind: the first view of the class set for the kind (the report
  // views also by their frame's report kind).
  CView* GetWarehouseView() const { return FindView(warehouseView); }
  CView* GetWorkbenchView() const { return FindView(workbenchView); }
  CView* GetPlanView() const { return FindView(planView); }
  CView* GetElevationView() const { return FindView(elevationView); }
  CView* GetDetailView() const { return FindView(detailView); }
  CView* GetScheduleReportView() const { return FindView(scheduleReportView); }
  CView* GetUnitInfoReportView() const { return FindView(unitInfoReportView); }
  void MoveViewToHead(CView* view);
  void UpdateFrameTitles();
  // The view class of each kind, set at start-up by whoever makes the document templates.
  static void SetViewClass(ProjectView kind, const CRuntimeClass* viewClass);

  CDocVersion& GetDocVersion() { return m_project.GetDocVersion(); }
  CProjectData& GetProjectData() { return m_project.GetProjectData(); }
  CString GetProjectName() const { return m_project.GetProjectData().GetProjectName(); }
  CProjectPrefs& GetProjectPrefs() { return m_project.GetProjectPrefs(); }
  const CDesignStoreArray& GetStoredDesigns() const { return m_project.GetStoredDesigns(); }
  BOOL IsProjectFileOpen() const { return m_project.IsFileOpen(); }

protected:
  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();

private:
  CView* FindView(ProjectView kind) const;
  int MessageBox(const CString& text, UINT type) const;
  // Asks before a save replaces a project file another program changed, or makes a new file where
  // the project file was renamed or removed since it was opened; TRUE when nothing needs asking.
  BOOL OkToSaveAt(const CString& path) const;
  // The question about the edited design before a save; a store that fails there also tells
  // that the project was not saved.
  BOOL OkToSaveEditedDesign();
  // Runs the call with what a store failing in it leaves set for the message, put back on every
  // way out.
  template <class Call>
  BOOL StoringWhere(NotStored holds, Call&& call)
  {
    struct CPutBack
    {
      NotStored& held;
      NotStored before;
      ~CPutBack() { held = before; }
    } putBack{m_notStored, m_notStored};
    m_notStored = holds;
    return call();
  }

  // The project's questions and its changes to the stored designs.
  Answer AskStoreChanges(const CString& name, BOOL allowCancel) override;
  Answer AskReplace(const CString& name, BOOL allowCancel) override;
  void ReportUnreadable(const CString& designName) override;
  void ReportNotStored(const CString& designName, std::exception_ptr failure) override;
  void BeginWait() override;
  void EndWait() override;
  BOOL ContinueOpening(int done, int count) override;
  void OnDesignAdded(const CString& name) override;
  void OnDesignDeleting(const CString& name) override;
  void OnDesignRenamed(const CString& oldName, const CString& newName) override;

  CProject m_project;
  // Made new or read whole: a project whose making failed has nothing to ask about as it goes.
  BOOL m_bMade = FALSE;
  // What a store that fails leaves, as its message tells it: a save that waits on the store did
  // not run either; a new design is not opened; a Workbench gone keeps nothing on it.
  NotStored m_notStored = NotStored::onWorkbench;
  // The progress of the opening under way, made at its first design.
  std::unique_ptr<CProgress> m_pOpenProgress;
};

// Registers the document class for creation by name; called once at start-up.
void RegisterDocumentClasses();
