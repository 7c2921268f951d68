#include "app/Recovery.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

#include "document/Doc.h"
#include "platform/core/Atomname.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/Filemsg.h"
#include "ui/docview/DocTempl.h"
#include "ui/wnd/Folders.h"
#include "ui/wnd/WinApp.h"
#include "support/Trace.h"

namespace {

CString WithoutExtension(const CString& name)
{
  const int dot = name.ReverseFind('.');
  return dot > 0 ? name.Left(dot) : name;
}

// A title may hold characters a file name cannot.
CString FileNameOf(const CString& title)
{
  CString name = title.IsEmpty() ? CString("Project") : title;
  name.Replace("/", "_");
  return name;
}

// The user's choice of temporary folder stands even when it cannot be written: the copy then
// is reported as not written rather than put somewhere the user does not look.
CString TemporaryFolder()
{
  const char* folder = std::getenv("TMPDIR");
  return folder && *folder ? CString::FromUtf8(folder) : CString("/tmp");
}

// Anything at the name, a symbolic link leading nowhere too, takes it: a link is never followed.
bool IsTaken(const CString& path)
{
  struct stat st
  {};
  return ::lstat(path.c_str(), &st) == 0;
}

// The write refuses a name taken since it was found free (another instance ending at the same
// moment): the next name is tried.
bool WasTakenMeanwhile(const CFileException& e) { return e.m_lOsError == EEXIST; }

// The first candidate still free in the folder (beside the project file when the folder is
// empty). Throws when the folder cannot be written.
CString WriteCopy(CDoc& doc, const CString& projectPath, const CString& folder)
{
  // The documents folder may not exist yet on a fresh account.
  if (!folder.IsEmpty()) {
    std::error_code ignored;
    std::filesystem::create_directories(folder.str(), ignored);
  }
  for (int n = 1; n <= kMaxRecoveryCandidates; ++n) {
    const CString path = RecoveryPathFor(projectPath, doc.GetTitle(), folder, n);
    if (IsTaken(path))
      continue;
    try {
      doc.SaveCopy(path);
      return path;
    } catch (const CFileException& e) {
      if (!WasTakenMeanwhile(e))
        throw;
    }
  }
  return CString();
}

// Adds a reason not given yet: the folders may refuse for different reasons.
void AddReason(CString& reasons, const CString& reason)
{
  if (reason.IsEmpty() || ("; " + reasons + "; ").Find("; " + reason + "; ") >= 0)
    return;
  reasons += reasons.IsEmpty() ? reason : "; " + reason;
}

// Beside the project file first, then the documents folder, then the temporary folder. When no
// folder takes the copy, the reasons the folders gave are kept.
CString WriteCopyWhereverPossible(CDoc& doc, CString& reasons)
{
  struct Place
  {
    CString projectPath;
    CString folder;
  };
  std::vector<Place> places;
  if (!doc.GetPathName().IsEmpty())
    places.push_back({doc.GetPathName(), CString()});
  if (const CString documents = AfxGetDocumentsFolder(); !documents.IsEmpty())
    places.push_back({CString(), documents});
  places.push_back({CString(), TemporaryFolder()});
  for (const Place& place : places) {
    try {
      if (CString path = WriteCopy(doc, place.projectPath, place.folder); !path.IsEmpty())
        return path;
    } catch (...) {
      PCTRACE(TT_DOCUMENT, TL_WARNING)("Recovery copy not written; trying the next folder.\n");
      AddReason(reasons, FileFailureReason(std::current_exception()));
    }
  }
  return CString();
}

// How the report names what the Workbench showed: the design by the name it is stored under.
CString WorkbenchDesignLabel(CDoc& doc)
{
  CString name = doc.GetEditedDesignSnapshot().GetName();
  if (name.IsEmpty() && doc.GetEditedDesign())
    name = doc.GetEditedDesign()->GetName();
  if (!name.IsEmpty())
    return "the design \"" + name + "\"";
  return doc.GetEditedDesign() ? CString("the new design") : CString("what the windows showed");
}

// What the windows show goes into the project first. A failure there leaves the stored designs
// as last stored, and the project worth a copy when anything else changed; what could not be
// taken is noted for the report.
CRecoveryCopy TakeWhatIsShown(CDoc& doc)
{
  CRecoveryCopy copy;
  copy.title = doc.GetTitle();
  copy.project = doc.GetPathName();
  try {
    doc.KeepWhatIsShown();
  } catch (...) {
    PCTRACE(TT_DOCUMENT, TL_WARNING)("The Workbench could not be taken into the recovery copy.\n");
    copy.notTaken = WorkbenchDesignLabel(doc);
    copy.notTakenWasStored = !doc.GetEditedDesignSnapshot().GetName().IsEmpty() || !doc.GetEditedDesign();
  }
  return copy;
}

void AddCopyOf(CDoc& doc, std::vector<CRecoveryCopy>& copies)
{
  CRecoveryCopy copy = TakeWhatIsShown(doc);
  try {
    copy.changed = doc.IsProjectModified();
    if (copy.changed)
      copy.path = WriteCopyWhereverPossible(doc, copy.reason);
    else if (copy.notTaken.IsEmpty())
      return;
  } catch (...) {
    PCTRACE(TT_DOCUMENT, TL_WARNING)("Recovery copy not written.\n");
  }
  copies.push_back(copy);
}

// What became of the design a Workbench that could not be taken showed.
CString FateOfNotTaken(const CRecoveryCopy& copy)
{
  return copy.notTaken + (copy.notTakenWasStored ? " is kept only as last stored" : " on it is lost");
}

// What the report says of a Workbench that could not be taken, after what it says of the copies.
CString DescribeNotTaken(const CRecoveryCopy& copy)
{
  if (!copy.changed)
    return "\n\nThe Workbench of " + copy.title + " could not be taken into a recovery copy: " + FateOfNotTaken(copy) +
           ". Nothing else had changed, so no copy was written.";
  if (copy.path.IsEmpty())
    return "\n\nThe Workbench of " + copy.title + " could not be taken either: " + FateOfNotTaken(copy) + ".";
  return "\n\nThe unsaved changes except those on the Workbench were written to:\n" + copy.path +
         "\nThe Workbench could not be taken into that copy: " + FateOfNotTaken(copy) + ".";
}

}  // namespace

CString RecoveryPathFor(const CString& projectPath, const CString& title, const CString& folder, int n)
{
  const CString suffix = n == 1 ? CString(".recovered.tpf") : CString::Formatted(".recovered-%d.tpf", n);
  const CString place = projectPath.IsEmpty() ? folder : FolderOfPath(projectPath);
  const CString name = projectPath.IsEmpty() ? FileNameOf(title) : NameOfPath(projectPath);
  const CString prefix = projectPath.IsEmpty() ? folder + "/" : projectPath.Left(projectPath.ReverseFind('/') + 1);
  // A name as long as the folder takes leaves no room for the suffix: the name gives way.
  return prefix + FitName(WithoutExtension(name), suffix, NameLimitOf(place));
}

std::vector<CRecoveryCopy> WriteRecoveryCopies(CWinApp& app)
{
  std::vector<CRecoveryCopy> copies;
  POSITION tpos = app.GetFirstDocTemplatePosition();
  while (tpos) {
    CDocTemplate* docTemplate = app.GetNextDocTemplate(tpos);
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;) {
      auto* doc = dynamic_cast<CDoc*>(docTemplate->GetNextDoc(pos));
      // A project that cannot be written is reported; the others still get their copies.
      if (doc)
        AddCopyOf(*doc, copies);
    }
  }
  return copies;
}

CString DescribeRecoveryCopies(const std::vector<CRecoveryCopy>& copies)
{
  CString written;
  CString lost;
  CString notTaken;
  for (const CRecoveryCopy& copy : copies) {
    if (copy.changed && copy.path.IsEmpty())
      lost += "\n" + copy.title + (copy.reason.IsEmpty() ? CString() : "\nReason:  " + copy.reason);
    else if (copy.changed && copy.notTaken.IsEmpty())
      written += "\n" + copy.path;
    if (!copy.notTaken.IsEmpty())
      notTaken += DescribeNotTaken(copy);
  }
  CString text;
  if (!written.IsEmpty())
    text += "\n\nThe unsaved changes were written to:" + written;
  if (!lost.IsEmpty())
    text += "\n\nNo copy of the unsaved changes could be written, in the project's folder, the documents folder or the "
            "temporary folder, for:" +
            lost;
  return text + notTaken;
}
