#include "project/Project.h"

#include <cstring>
#include <new>

#include "platform/core/Archive.h"
#include "project/Chkfile.h"
#include "project/DocServices.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

// The project file's failures are reported under the module names of the project document and
// of its design rules, with numbers of their own that stay fixed wherever the code moves.
constexpr const char* kDocModule = "Doc";
constexpr int kNotProjectFileLine = 318;
constexpr const char* kDesignsModule = "Docdsgn";
constexpr int kBadIndexLine = 102;
constexpr int kNameUsedLine = 131;
constexpr int kLoadingArchiveLine = 219;

constexpr int kTagLength = 15;
constexpr int kBufferSize = 4096;
constexpr const char* kDefaultNamePrefix = "Unit Type ";

// "TPF-1.x" padded with blanks to 15 characters, no length prefix.
CString ProjectFileTag()
{
  CString tag = CString::Formatted("TPF-%d.x", 1);
  while (tag.GetLength() < kTagLength)
    tag += ' ';
  return tag;
}

BOOL IsAllLetters(const CString& text)
{
  if (text.IsEmpty())
    return FALSE;
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] < 'A' || text[i] > 'Z')
      return FALSE;
  return TRUE;
}

// Counts a rest of letters A..Z up by one, like a number: "Z" -> "AA", "AZ" -> "BA".
CString NextLetters(CString rest)
{
  for (int i = rest.GetLength() - 1; i >= 0; --i) {
    if (rest[i] != 'Z') {
      rest.SetAt(i, static_cast<char>(rest[i] + 1));
      return rest;
    }
    rest.SetAt(i, 'A');
  }
  return "A" + rest;
}

// Runs one step of storing the edited design. A failure of the design's own (a full disk's error,
// say) or of memory comes back for the host to be told; a fatal error still ends the program.
template <class Step>
std::exception_ptr FailureOf(Step&& step)
{
  try {
    step();
  } catch (const CAppFatalException&) {
    throw;
  } catch (const CException&) {
    return std::current_exception();
  } catch (const std::bad_alloc&) {
    return std::current_exception();
  }
  return nullptr;
}

// The wait the host shows around a store, ended on every way out.
class CWaitAround
{
public:
  explicit CWaitAround(CProjectHost& host) : m_host(host) { m_host.BeginWait(); }
  ~CWaitAround() { m_host.EndWait(); }
  CWaitAround(const CWaitAround&) = delete;
  CWaitAround& operator=(const CWaitAround&) = delete;

private:
  CProjectHost& m_host;
};

}  // namespace

CProject::CProject(CProjectHost& host) : m_host(host) {}

CProject::~CProject() { m_projectFile.Close(); }

void CProject::Serialize(CArchive& ar)
{
  const CString tag = ProjectFileTag();
  if (ar.IsStoring()) {
    ar.Write(tag.c_str(), kTagLength);
  } else {
    char read[kTagLength];
    if (ar.Read(read, kTagLength) != kTagLength || std::memcmp(read, tag.c_str(), kTagLength) != 0)
      throw CAppSerializeException(kDocModule, kNotProjectFileLine, CAppSerializeException::notProjectFile);
  }
  m_docVersion.Serialize(ar);
  m_projectData.Serialize(ar);
  m_projectPrefs.Serialize(ar);
  m_designs.Serialize(ar);
}

DWORD CProject::ComputeChecksum()
{
  // The same value as the checksum of the image in memory, without keeping the image.
  CChecksumFile file;
  CArchive ar(&file, CArchive::store, kBufferSize);
  Serialize(ar);
  ar.Close();
  return file.GetChecksum();
}

BOOL CProject::HasChanged()
{
  const DWORD checksum = ComputeChecksum();
  if (checksum == m_dwChecksum)
    return FALSE;
  m_dwChecksum = checksum;
  return TRUE;
}

void CProject::Open(const CString& path)
{
  m_designs.SetLoadProgress([this](int done, int count) { return m_host.ContinueOpening(done, count); });
  try {
    m_projectFile.Open(path);
    m_projectFile.Read([this](CArchive& ar) { Serialize(ar); });
    m_designs.SetLoadProgress(nullptr);
    // Units of types added to the catalogue since the project was saved can be placed too.
    m_projectPrefs.GetOptionsPrefs().GetChoicesArray().AddMissingTypes();
  } catch (...) {
    m_designs.SetLoadProgress(nullptr);
    m_projectFile.Close();
    throw;
  }
}

void CProject::Save(const CString& path)
{
  const CDocVersion previous(m_docVersion);
  try {
    m_docVersion.SetModified(CTime::GetCurrentTime());
    m_docVersion.SetVersion();
    m_docVersion.CopyDatabaseVersion();
    // What is written is the serialized project: its checksum is the unmodified state.
    m_dwChecksum = m_projectFile.Save(path, [this](CArchive& ar) { Serialize(ar); });
  } catch (...) {
    m_docVersion = previous;
    throw;
  }
}

void CProject::SaveCopy(const CString& path)
{
  // The copy is as private as the project's file; an unnamed project's is its owner's only.
  CProjectFile::WriteNew(
      path, [this](CArchive& ar) { Serialize(ar); }, m_projectFile.GetPath());
}

void CProject::CheckIndex(int index) const
{
  if (index < 0 || index >= m_designs.GetSize())
    throw CAppException(kDesignsModule, kBadIndexLine);
}

CString CProject::GetDesignName(int index) const
{
  CheckIndex(index);
  return m_designs.GetAt(index)->GetName();
}

BOOL CProject::NewEditedDesign()
{
  // The design and its snapshot are made aside: when either cannot be, the host is told as for
  // any store, and the edited design stays as it was.
  std::unique_ptr<CDesign> design;
  CDesignStore snapshot;
  if (const std::exception_ptr failure = FailureOf([&] {
        design = std::make_unique<CDesign>();
        snapshot.Store(design.get());
      }))
    return ReportNotStored(CString(), failure);
  m_pEditedDesign = std::move(design);
  m_editedSnapshot = std::move(snapshot);
  return TRUE;
}

BOOL CProject::EditStoredDesign(int index)
{
  CheckIndex(index);
  // The design is rebuilt aside: a block that cannot be read leaves the edited design as it was.
  auto design = std::make_unique<CDesign>();
  if (!RebuildDesign(index, *design, FALSE))
    return FALSE;
  m_pEditedDesign = std::move(design);
  m_editedSnapshot = *m_designs.GetAt(index);
  return TRUE;
}

void CProject::CloseEditedDesign()
{
  m_pEditedDesign.reset();
  m_editedSnapshot.Clear();
}

BOOL CProject::RebuildDesign(int index, CDesign& design, BOOL reportOnce)
{
  const CDesignStore& store = *m_designs.GetAt(index);
  try {
    store.Retrieve(&design);
    return TRUE;
  } catch (const CException&) {
  } catch (const std::bad_alloc&) {}
  if (!reportOnce || m_reportedUnreadable.insert({store.GetName().str(), store.GetCRC()}).second)
    return ReportUnreadable(store.GetName());
  return FALSE;
}

BOOL CProject::ReportUnreadable(const CString& designName)
{
  PCTRACE(TT_DOCUMENT, TL_WARNING)("A stored design could not be rebuilt.\n");
  m_host.ReportUnreadable(designName);
  return FALSE;
}

// Settles the name a design is stored under: the naming dialog until the name is free or the
// user agrees to replace the design that has it. With askReplaceFirst the given name is tried
// before the dialog is shown. FALSE when the user cancelled.
BOOL CProject::SettleNewName(CString& name, int& index, BOOL allowCancel, BOOL askReplaceFirst)
{
  BOOL ask = askReplaceFirst;
  for (;;) {
    if (!ask && !GetDocServices().AskNewDesignName(name, allowCancel))
      return FALSE;
    ask = FALSE;
    index = FindDesign(name);
    if (index < 0)
      return TRUE;
    switch (m_host.AskReplace(name, allowCancel)) {
    case CProjectHost::answerYes:
      return TRUE;
    case CProjectHost::answerNo:
      continue;
    default:
      return FALSE;
    }
  }
}

BOOL CProject::StoreEditedDesign(BOOL ask, BOOL allowCancel)
{
  if (!m_pEditedDesign)
    return TRUE;
  int index = FindDesign(m_editedSnapshot.GetName());
  CString name = m_pEditedDesign->GetName();
  const BOOL named = !name.IsEmpty();
  CDesignStore candidate;
  if (!MakeCandidate(candidate))
    return FALSE;
  if (candidate.GetCRC() == m_editedSnapshot.GetCRC()) {
    // The design is as stored; the Store command still keeps the view it is shown in. Its
    // times stay: only the view changed.
    if (!ask && index >= 0 && m_designs.GetAt(index)->TakeView(candidate))
      m_editedSnapshot.TakeView(candidate);
    return TRUE;
  }

  CProjectHost::Answer answer = CProjectHost::answerYes;
  if (ask)
    answer = m_host.AskStoreChanges(named ? name : CString("Unnamed"), allowCancel);
  if (answer == CProjectHost::answerNo)
    return TRUE;
  if (answer != CProjectHost::answerYes)
    return FALSE;

  // A named design renamed on the Workbench to the name of another stored design is settled by
  // the replace question rather than stored over its own record under a clashing name.
  const int clash = named ? FindDesign(name) : -1;
  const CString before = name;
  if (!named || (clash >= 0 && clash != index)) {
    const int home = index;
    if (!named)
      name = GetNewDesignName();
    if (!SettleNewName(name, index, allowCancel, named))
      return FALSE;
    // A named design given a free name still replaces the stored design it came from.
    if (named && index < 0)
      index = home;
    m_pEditedDesign->SetName(name);
    if (!MakeCandidate(candidate)) {
      m_pEditedDesign->SetName(before);
      return FALSE;
    }
  }
  if (StoreCandidate(candidate, index))
    return TRUE;
  // A store that failed leaves the design as it was before it began, its name too.
  m_pEditedDesign->SetName(before);
  return FALSE;
}

BOOL CProject::StoreCandidate(const CDesignStore& candidate, int index)
{
  // Every copy the store takes is made, and a new record is in the list, before the snapshot
  // changes or the host hears of an added design: a store that fails leaves the project as it was.
  CDesignStore snapshot;
  CString added;
  if (const std::exception_ptr failure = FailureOf([&] {
        snapshot = candidate;
        if (index >= 0) {
          ReplaceDesign(candidate, index);
          return;
        }
        added = candidate.GetName();
        AddRecord(candidate);
      }))
    return ReportNotStored(m_pEditedDesign->GetName(), failure);
  if (index < 0)
    m_host.OnDesignAdded(added);
  m_editedSnapshot = std::move(snapshot);
  return TRUE;
}

BOOL CProject::IsEditedDesignAsStored()
{
  if (!m_pEditedDesign)
    return TRUE;
  CDesignStore candidate;
  return MakeCandidate(candidate) && candidate.GetCRC() == m_editedSnapshot.GetCRC();
}

BOOL CProject::MakeCandidate(CDesignStore& candidate)
{
  std::exception_ptr failure;
  {
    CWaitAround wait(m_host);
    failure = FailureOf([&] { candidate.Store(m_pEditedDesign.get()); });
  }
  return !failure || ReportNotStored(m_pEditedDesign->GetName(), failure);
}

BOOL CProject::ReportNotStored(const CString& designName, std::exception_ptr failure)
{
  // Nothing is stored: the design stays as it was for the user to keep some other way.
  PCTRACE(TT_DOCUMENT, TL_WARNING)("The edited design could not be stored.\n");
  m_host.ReportNotStored(designName.IsEmpty() ? CString("Unnamed") : designName, failure);
  return FALSE;
}

BOOL CProject::KeepEditedDesign()
{
  if (!m_pEditedDesign)
    return FALSE;
  CDesignStore candidate;
  candidate.Store(m_pEditedDesign.get());
  if (candidate.GetCRC() == m_editedSnapshot.GetCRC())
    return FALSE;
  int index = FindDesign(m_editedSnapshot.GetName());
  const CString name = m_pEditedDesign->GetName();
  const int owner = name.IsEmpty() ? -1 : FindDesign(name);
  // A clash is never settled over another design: the copy keeps both.
  if (name.IsEmpty() || (owner >= 0 && owner != index)) {
    m_pEditedDesign->SetName(GetNewDesignName());
    candidate.Store(m_pEditedDesign.get());
    index = -1;
  }
  if (index >= 0)
    m_designs.Replace(index, candidate);
  else
    m_designs.Add(new CDesignStore(candidate));
  m_editedSnapshot = candidate;
  return TRUE;
}

void CProject::AddDesign(const CDesignStore& store)
{
  const CString name = store.GetName();
  AddRecord(store);
  m_host.OnDesignAdded(name);
}

void CProject::AddRecord(const CDesignStore& store)
{
  if (FindDesign(store.GetName()) >= 0)
    throw CAppException(kDesignsModule, kNameUsedLine);
  // A record the list cannot take is freed here, and the list stays as it was.
  auto record = std::make_unique<CDesignStore>(store);
  m_designs.Add(record.get());
  record.release();
}

void CProject::ReplaceDesign(const CDesignStore& store, int index)
{
  CheckIndex(index);
  int other = FindDesign(store.GetName());
  if (other >= 0 && other != index)
    throw CAppException(kDesignsModule, kNameUsedLine);
  // The copy and the names are made before the host hears of the new name: what cannot be made
  // changes nothing, and the record is then overwritten, which cannot fail.
  CDesignStore record(store);
  const CString oldName = m_designs.GetAt(index)->GetName();
  const CString newName = record.GetName();
  m_host.OnDesignRenamed(oldName, newName);
  m_designs.Replace(index, std::move(record));
}

void CProject::DeleteDesign(int index)
{
  CheckIndex(index);
  m_host.OnDesignDeleting(m_designs.GetAt(index)->GetName());
  m_designs.RemoveAt(index);
}

BOOL CProject::RenameDesign(int index, const CString& newName)
{
  CheckIndex(index);
  int other = FindDesign(newName);
  if (other >= 0 && other != index)
    throw CAppException(kDesignsModule, kNameUsedLine);
  const CDesignStore& store = *m_designs.GetAt(index);
  const CString oldName = store.GetName();
  CDesignStore renamed(store);
  try {
    renamed.SetName(newName);
  } catch (const CException&) {
    return ReportUnreadable(oldName);
  } catch (const std::bad_alloc&) {
    return ReportUnreadable(oldName);
  }
  m_designs.Replace(index, renamed);
  m_host.OnDesignRenamed(oldName, newName);
  return TRUE;
}

void CProject::SerializeStoredDesign(CArchive& ar, int index)
{
  if (ar.IsLoading())
    throw CAppException(kDesignsModule, kLoadingArchiveLine);
  CheckIndex(index);
  m_designs.GetAt(index)->Serialize(ar);
}

CDesign* CProject::GetFirstDesign(CDesignWalk& walk)
{
  walk.m_nIndex = -1;
  return GetNextDesign(walk);
}

CDesign* CProject::GetNextDesign(CDesignWalk& walk)
{
  walk.m_pDesign.reset();
  while (walk.m_nIndex < m_designs.GetSize() && ++walk.m_nIndex < m_designs.GetSize()) {
    auto design = std::make_unique<CDesign>();
    if (RebuildDesign(walk.m_nIndex, *design, TRUE)) {
      walk.m_pDesign = std::move(design);
      return walk.m_pDesign.get();
    }
  }
  return nullptr;
}

CString CProject::GetNewDesignName() const
{
  const CString prefix = kDefaultNamePrefix;
  CString greatest;
  for (int i = 0; i < m_designs.GetSize(); ++i) {
    const CString name = m_designs.GetAt(i)->GetName();
    if (name.GetLength() <= prefix.GetLength() || name.Left(prefix.GetLength()).CompareNoCase(prefix) != 0)
      continue;
    CString rest = name.Mid(prefix.GetLength());
    rest.MakeUpper();
    if (!IsAllLetters(rest))
      continue;
    // The longest rest is the greatest; among equally long ones the greatest in byte order.
    if (rest.GetLength() > greatest.GetLength() || (rest.GetLength() == greatest.GetLength() && rest > greatest))
      greatest = rest;
  }
  return prefix + (greatest.IsEmpty() ? CString("A") : NextLetters(greatest));
}
