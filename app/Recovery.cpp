#include "app/Recovery.h"

#include <filesystem>
#include <system_error>

#include "document/Doc.h"
#include "platform/core/File.h"
#include "platform/ui/docview/DocTempl.h"
#include "platform/ui/wnd/Folders.h"
#include "platform/ui/wnd/WinApp.h"
#include "support/Trace.h"

namespace {

// Enough candidates for any number of earlier crashes kept beside the file.
constexpr int kMaxCandidates = 100;

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

// The first candidate that does not exist yet; the write itself refuses one made meanwhile.
CString WriteCopy(CDoc& doc, const CString& folder)
{
  // The documents folder may not exist yet on a fresh account.
  if (doc.GetPathName().IsEmpty() && !folder.IsEmpty()) {
    std::error_code ignored;
    std::filesystem::create_directories(folder.str(), ignored);
  }
  for (int n = 1; n <= kMaxCandidates; ++n) {
    const CString path = RecoveryPathFor(doc.GetPathName(), doc.GetTitle(), folder, n);
    CFileStatus status;
    if (CFile::GetStatus(path, status))
      continue;
    doc.SaveCopy(path);
    return path;
  }
  return CString();
}

}  // namespace

CString RecoveryPathFor(const CString& projectPath, const CString& title, const CString& folder, int n)
{
  const CString suffix = n == 1 ? CString(".recovered.tpf") : CString::Formatted(".recovered-%d.tpf", n);
  if (!projectPath.IsEmpty())
    return WithoutExtension(projectPath) + suffix;
  return folder + "/" + WithoutExtension(FileNameOf(title)) + suffix;
}

std::vector<CString> WriteRecoveryCopies(CWinApp& app)
{
  std::vector<CString> written;
  const CString documents = AfxGetDocumentsFolder();
  POSITION tpos = app.GetFirstDocTemplatePosition();
  while (tpos) {
    CDocTemplate* docTemplate = app.GetNextDocTemplate(tpos);
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;) {
      auto* doc = dynamic_cast<CDoc*>(docTemplate->GetNextDoc(pos));
      // A project that cannot be written is left; the others still get their copies.
      try {
        if (!doc || !doc->IsProjectModified())
          continue;
        if (CString path = WriteCopy(*doc, documents); !path.IsEmpty())
          written.push_back(path);
      } catch (...) {
        PCTRACE(TT_DOCUMENT, TL_WARNING)("Recovery copy not written.\n");
      }
    }
  }
  return written;
}
