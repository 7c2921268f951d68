#pragma once
// The project without its windows: the version record, project data, project preferences and
// stored designs of one project file, the design being edited with its snapshot, the project file
// itself, and the rules for storing, replacing, renaming and naming designs and for the modified
// state by CRC. What needs the user or the design list goes through the host.
#include <exception>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "project/Design.h"
#include "project/Docver.h"
#include "project/Dsgstore.h"
#include "project/Prjfile.h"
#include "project/Projdata.h"
#include "project/Projprefs.h"

// What the project asks of the document that holds it.
class CProjectHost
{
public:
  enum Answer
  {
    answerYes,
    answerNo,
    answerCancel
  };
  virtual ~CProjectHost() = default;

  // "Store changes to design ... in the project?"
  virtual Answer AskStoreChanges(const CString& name, BOOL allowCancel) = 0;
  // "A design with the name ... already exists. Do you want to replace it?"
  virtual Answer AskReplace(const CString& name, BOOL allowCancel) = 0;
  // Tells the user that the stored design could not be rebuilt.
  virtual void ReportUnreadable(const CString& designName) = 0;
  // Tells the user that the edited design could not be stored, and why; it stays being edited.
  virtual void ReportNotStored(const CString& designName, std::exception_ptr failure) = 0;
  // Around storing the edited design, which may take a moment.
  virtual void BeginWait() {}
  virtual void EndWait() {}
  // Before each design an opening reads: the designs read and their count. FALSE stops the
  // opening (CDesignLoadCancelled); the project is then left empty and without its file.
  virtual BOOL ContinueOpening(int /*done*/, int /*count*/) { return TRUE; }

  // The list of stored designs changed: one was added (after it was), is about to be deleted,
  // or has a new name (before a replaced record is overwritten, after a rename).
  virtual void OnDesignAdded(const CString& name) = 0;
  virtual void OnDesignDeleting(const CString& name) = 0;
  virtual void OnDesignRenamed(const CString& oldName, const CString& newName) = 0;
};

// One walk over the stored designs, each rebuilt in turn. The walk owns the design it gave last,
// so any number of walks can run at once.
class CDesignWalk
{
public:
  CDesignWalk() = default;
  CDesignWalk(const CDesignWalk&) = delete;
  CDesignWalk& operator=(const CDesignWalk&) = delete;

private:
  friend class CProject;
  int m_nIndex = -1;
  std::unique_ptr<CDesign> m_pDesign;
};

class CProject
{
public:
  explicit CProject(CProjectHost& host);
  ~CProject();
  CProject(const CProject&) = delete;
  CProject& operator=(const CProject&) = delete;

  // Tag, version record, project data, project preferences, stored designs.
  void Serialize(CArchive& ar);

  // The modified state by CRC-32 of the serialized project: the current state becomes the
  // unmodified one; HasChanged tells whether it differs since, and takes the new state.
  void TakeChecksum() { m_dwChecksum = ComputeChecksum(); }
  BOOL HasChanged();

  // The project file. Open reads the file and holds it; Save stamps the version record, writes
  // the file and takes what was written as the unmodified state. Failures throw; a failed save
  // leaves the version record as it was.
  void Open(const CString& path);
  void Save(const CString& path);
  // Writes the project as it is to a new file (never over an existing one), leaving the project
  // file, the version record and the modified state untouched. The copy is readable by no more
  // people than the project file (by its owner only while the project has none).
  void SaveCopy(const CString& path);
  void CloseFile() { m_projectFile.Close(); }
  BOOL IsFileOpen() const { return m_projectFile.IsOpen(); }
  // Another program changed the project file at the path since it was opened or saved here.
  BOOL IsChangedOnDisk(const CString& path) const { return m_projectFile.IsChangedOnDisk(path); }
  // The project file at the path was renamed or removed since it was opened or saved here.
  BOOL IsGoneFromDisk(const CString& path) const { return m_projectFile.IsGoneFromDisk(path); }

  // The edited design and its snapshot.
  CDesign* GetEditedDesign() const { return m_pEditedDesign.get(); }
  // A new empty design becomes the edited design. FALSE when it or its snapshot cannot be made:
  // the host is told as for a store that failed, and the edited design stays as it was.
  BOOL NewEditedDesign();
  BOOL EditStoredDesign(int index);
  void CloseEditedDesign();
  int GetEditedDesignIndex() const { return FindDesign(m_editedSnapshot.GetName()); }
  const CDesignStore& GetEditedDesignSnapshot() const { return m_editedSnapshot; }
  // FALSE when the user cancelled, or when the design could not be stored: the host is told why,
  // nothing is stored, and the design stays being edited. Without the question, a design changed
  // only in its view (scale, scroll, window) keeps that view in its stored record.
  BOOL StoreEditedDesign(BOOL ask, BOOL allowCancel);
  // TRUE when the edited design is as its snapshot holds it, or there is none. A design that
  // cannot be serialized for the comparison is told as a store that failed, and counts as changed.
  BOOL IsEditedDesignAsStored();
  // Stores the edited design as it stands without asking: over the design it was taken from, or
  // as a new design when it is unnamed or its name now belongs to another design. Only for the
  // recovery copy of a program about to end, so the host hears nothing. TRUE when it stored.
  BOOL KeepEditedDesign();

  // The stored designs. Bad indexes and names raise CAppException.
  int GetDesignCount() const { return m_designs.GetSize(); }
  int FindDesign(const CString& name) const { return m_designs.Find(name); }
  CString GetDesignName(int index) const;
  void AddDesign(const CDesignStore& store);
  void ReplaceDesign(const CDesignStore& store, int index);
  void DeleteDesign(int index);
  BOOL RenameDesign(int index, const CString& newName);
  void SerializeStoredDesign(CArchive& ar, int index);
  // "Unit Type " followed by the letters after the greatest such name in use.
  CString GetNewDesignName() const;

  // A walk: each stored design rebuilt in turn; one that cannot be rebuilt is skipped after
  // telling the user once.
  CDesign* GetFirstDesign(CDesignWalk& walk);
  CDesign* GetNextDesign(CDesignWalk& walk);

  CDocVersion& GetDocVersion() { return m_docVersion; }
  CProjectData& GetProjectData() { return m_projectData; }
  const CProjectData& GetProjectData() const { return m_projectData; }
  CProjectPrefs& GetProjectPrefs() { return m_projectPrefs; }
  const CDesignStoreArray& GetStoredDesigns() const { return m_designs; }

private:
  DWORD ComputeChecksum();
  void CheckIndex(int index) const;
  BOOL RebuildDesign(int index, CDesign& design, BOOL reportOnce);
  BOOL ReportUnreadable(const CString& designName);
  BOOL SettleNewName(CString& name, int& index, BOOL allowCancel, BOOL askReplaceFirst);
  // The edited design serialized into the candidate; FALSE, the host told, when it cannot be.
  BOOL MakeCandidate(CDesignStore& candidate);
  // The candidate stored over the design at index, or added when index is below 0, then taken
  // as the snapshot; FALSE, the host told and the project as it was, when it cannot be.
  BOOL StoreCandidate(const CDesignStore& candidate, int index);
  // A copy of the store appended to the list, without telling the host; a name in use raises
  // CAppException. A failure leaves the list as it was.
  void AddRecord(const CDesignStore& store);
  // Tells the host that the design (named, or "Unnamed" when empty) was not stored; FALSE.
  BOOL ReportNotStored(const CString& designName, std::exception_ptr failure);

  CProjectHost& m_host;
  CDocVersion m_docVersion;
  CProjectData m_projectData;
  CProjectPrefs m_projectPrefs;
  CDesignStoreArray m_designs;
  std::unique_ptr<CDesign> m_pEditedDesign;
  CDesignStore m_editedSnapshot;
  CProjectFile m_projectFile;
  DWORD m_dwChecksum = 0;
  // Stored designs already reported unreadable during a walk (name, block CRC).
  std::set<std::pair<std::string, DWORD>> m_reportedUnreadable;
};
