#pragma once
// The project document: the version record, project data, project preferences and stored
// designs of one project file, the one design being edited on the Workbench with its snapshot,
// and the project file itself, held open and locked while the project is open.
#include <set>
#include <string>
#include <utility>

#include "document/Design.h"
#include "document/Docver.h"
#include "document/Dsgstore.h"
#include "document/Prjfile.h"
#include "document/Projdata.h"
#include "document/Projprefs.h"
#include "platform/ui/docview/Doc.h"

class CDesignListOwner;
class CListBox;
class CView;

class CDoc : public CDocument
{
  DECLARE_SERIAL(CDoc)
  DECLARE_MESSAGE_MAP()
public:
  CDoc();
  ~CDoc() override;

  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
  void OnCloseDocument() override;
  void OnChangedViewList() override;
  // Tag, version record, project data, project preferences, stored designs.
  void Serialize(CArchive& ar) override;

  // Modified state: the flag, backed by the CRC-32 of the serialized project.
  void SetProjectModified(BOOL modified);
  BOOL IsProjectModified();
  void UpdateProjectModified();

  // The edited design and its snapshot.
  CDesign* GetEditedDesign() const { return m_pEditedDesign; }
  void NewEditedDesign();
  // FALSE, after telling the user, when the stored design cannot be rebuilt; the edited design
  // is then left as it was.
  BOOL EditStoredDesign(int index);
  void CloseEditedDesign();
  int GetEditedDesignIndex() const;
  const CDesignStore& GetEditedDesignSnapshot() const { return m_editedSnapshot; }
  // FALSE only when the user cancelled.
  BOOL StoreEditedDesign(BOOL ask, BOOL allowCancel);
  BOOL OkToCloseEditedDesign();

  // The stored designs, as the design list uses them. Bad indexes and names raise CAppException.
  int GetDesignCount() const { return m_designs.GetSize(); }
  int FindDesign(const CString& name) const { return m_designs.Find(name); }
  CString GetDesignName(int index) const;
  void AddDesign(const CDesignStore& store);
  void ReplaceDesign(const CDesignStore& store, int index);
  void DeleteDesign(int index);
  // FALSE, after telling the user, when the design cannot be rebuilt to take the new name.
  BOOL RenameDesign(int index, const CString& newName);
  void FillDesignList();
  // Writes stored design [index] as one record (the design clipboard's payload).
  void SerializeStoredDesign(CArchive& ar, int index);
  // The reports' walk: each stored design rebuilt in turn; one that cannot be rebuilt is
  // skipped after telling the user once.
  CDesign* GetFirstDesign();
  CDesign* GetNextDesign();
  CString GetNewDesignName() const;

  // The document's views by class.
  CView* GetWarehouseView() const;
  CView* GetWorkbenchView() const;
  CView* GetPlanView() const;
  CView* GetElevationView() const;
  CView* GetDetailView() const;
  CView* GetScheduleReportView() const;
  CView* GetUnitInfoReportView() const;
  void MoveViewToHead(CView* view);
  void UpdateFrameTitles();

  CDocVersion& GetDocVersion() { return m_docVersion; }
  CProjectData& GetProjectData() { return m_projectData; }
  CString GetProjectName() const { return m_projectData.GetProjectName(); }
  CProjectPrefs& GetProjectPrefs() { return m_projectPrefs; }
  const CDesignStoreArray& GetStoredDesigns() const { return m_designs; }
  BOOL IsProjectFileOpen() const { return m_projectFile.IsOpen(); }

protected:
  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();

private:
  // CRC-32 of the serialized project.
  DWORD ComputeChecksum();
  CView* FindView(const char* className, int reportKind = -1) const;
  CListBox* GetDesignListBox() const;
  void CheckIndex(int index) const;
  void RenameListEntry(const CString& oldName, const CString& newName);
  BOOL RebuildDesign(int index, CDesign& design, BOOL reportOnce);
  // Tells the user the design could not be read; FALSE.
  BOOL ReportUnreadable(const CString& designName) const;
  BOOL SettleNewName(CString& name, int& index, BOOL allowCancel, BOOL askReplaceFirst);
  int AskReplace(const CString& name, BOOL allowCancel) const;
  int MessageBox(const CString& text, UINT type) const;

  CDocVersion m_docVersion;
  CProjectData m_projectData;
  CProjectPrefs m_projectPrefs;
  CDesignStoreArray m_designs;
  CDesign* m_pEditedDesign = nullptr;
  CDesignStore m_editedSnapshot;
  CDesign* m_pIterationDesign = nullptr;
  int m_nIterationIndex = -1;
  CProjectFile m_projectFile;
  DWORD m_dwChecksum = 0;
  // Stored designs already reported unreadable during the reports' walk (name, block CRC).
  std::set<std::pair<std::string, DWORD>> m_reportedUnreadable;
};
