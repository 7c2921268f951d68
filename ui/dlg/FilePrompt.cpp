#include "ui/dlg/FilePrompt.h"

#include <sys/stat.h>

#include "platform/core/Atomname.h"
#include "ui/wnd/Folders.h"
#include "ui/wnd/WinApp.h"

namespace {

constexpr const char* kFolderSection = "Folders";

BOOL Exists(const CString& path)
{
  struct stat info
  {};
  return ::stat(path.c_str(), &info) == 0;
}

BOOL IsFolder(const CString& path)
{
  struct stat info
  {};
  return !path.IsEmpty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

CString FolderOf(const CString& path)
{
  const int slash = path.ReverseFind('/');
  return slash <= 0 ? CString(slash == 0 ? "/" : "") : path.Left(slash);
}

CString NameOf(const CString& path) { return path.Mid(path.ReverseFind('/') + 1); }

// The folder a dialog for this kind of file opens in.
CString StartFolder(const CFileDialogRequest& request)
{
  CWinApp* app = AfxGetApp();
  const CString entry = FolderEntry(request);
  if (app && !entry.IsEmpty()) {
    const CString last = app->GetProfileString(kFolderSection, entry);
    if (IsFolder(last))
      return last;
  }
  // The desktop may name a documents folder that was never made: a file suggested there could
  // not be written.
  const CString documents = AfxGetDocumentsFolder();
  return IsFolder(documents) ? documents : AfxGetHomeFolder();
}

// A name suggested for saving fits the folder's limit on a name's length with the extension the
// dialog adds to it: a longer one is cut before its extension, at a character boundary, so the
// dialog does not refuse the name it offers.
CString FitSuggestion(const CFileDialogRequest& request, const CString& folder)
{
  const CString full =
      CompleteSaveName(request.fileName, request.filter, request.filterIndex, request.defaultExt, request.fileName);
  const int limit = NameLimitOf(folder);
  if (request.bOpen || full.GetLength() <= limit)
    return request.fileName;
  const int dot = full.ReverseFind('.');
  const CString extension = dot > 0 ? full.Mid(dot) : CString();
  CString stem = FitName(full.Left(full.GetLength() - extension.GetLength()), CString(), limit - extension.GetLength());
  // A cut that leaves a dot or a space at the end would make a name of another extension.
  while (!stem.IsEmpty() && (stem.Right(1) == "." || stem.Right(1) == " "))
    stem = stem.Left(stem.GetLength() - 1);
  const int added = full.GetLength() - request.fileName.GetLength();
  return (stem + extension).Left(stem.GetLength() + extension.GetLength() - added);
}

// A bare name or pattern starts in the start folder; a path keeps its own folder.
CString StartPath(const CFileDialogRequest& request)
{
  if (request.fileName.Find('/') >= 0)
    return request.fileName;
  const CString folder = StartFolder(request);
  const CString name = FitSuggestion(request, folder);
  if (folder.IsEmpty())
    return name;
  return folder + "/" + name;
}

void RememberFolder(const CFileDialogRequest& request)
{
  CWinApp* app = AfxGetApp();
  const CString entry = FolderEntry(request);
  const CString folder = FolderOf(request.path);
  if (app && !entry.IsEmpty() && !folder.IsEmpty())
    app->WriteProfileString(kFolderSection, entry, folder);
}

// The replace question of a save dialog; TRUE when the file may be written.
BOOL MayReplace(CWnd* pOwner, const CFileDialogRequest& request)
{
  if (!Exists(request.path))
    return TRUE;
  const CString text = NameOf(request.path) + " already exists.\nDo you want to replace it?";
  const CString caption = request.title.IsEmpty() ? CString("Save As") : request.title;
  return DialogService().MessageBox(pOwner, text, caption, MB_YESNO | MB_ICONEXCLAMATION, 0) == IDYES;
}

}  // namespace

CString FilterExtension(const CString& filter, int filterIndex)
{
  int field = 0;
  int start = 0;
  const int wanted = 2 * filterIndex - 1;  // the pattern field of the filter
  while (start <= filter.GetLength() && field < wanted) {
    const int bar = filter.Find('|', start);
    if (bar < 0)
      return CString();
    start = bar + 1;
    ++field;
  }
  const int end = filter.Find('|', start);
  CString pattern = end < 0 ? filter.Mid(start) : filter.Mid(start, end - start);
  pattern.TrimLeft();
  pattern.TrimRight();
  const int semicolon = pattern.Find(';');
  if (semicolon >= 0)
    pattern = pattern.Left(semicolon);
  if (pattern.Left(2) != "*.")
    return CString();
  CString ext = pattern.Mid(2);
  ext.TrimRight();
  return ext.Find('*') >= 0 || ext.Find('?') >= 0 ? CString() : ext;
}

CString CompleteSaveName(const CString& path, const CString& filter, int filterIndex, const CString& defaultExt,
                         const CString& offered)
{
  const CString name = NameOf(path);
  if (name.IsEmpty())
    return path;
  CString ext = FilterExtension(filter, filterIndex);
  // The default extension is written as the caller spells it when the filter names the same one.
  if (ext.IsEmpty() || ext.CompareNoCase(defaultExt) == 0)
    ext = defaultExt;
  const int dot = name.ReverseFind('.');
  if (ext.IsEmpty() || (dot > 0 && name.Mid(dot + 1).CompareNoCase(ext) == 0))
    return path;
  // A name the user typed keeps an extension of its own. The name the program offered has
  // none, whatever dots the project's name gives it ("Smith.house - Plan View"), and neither
  // has a name whose last dot is followed by a space.
  const BOOL taken = !offered.IsEmpty() && name == NameOf(offered);
  if (dot > 0 && !taken && name.Mid(dot + 1).Find(' ') < 0)
    return path;
  return path + "." + ext;
}

CString SuggestFileName(std::initializer_list<CString> parts)
{
  CString name;
  for (const CString& part : parts) {
    CString piece = part;
    piece.TrimLeft();
    piece.TrimRight();
    if (piece.IsEmpty())
      continue;
    if (!name.IsEmpty())
      name += " - ";
    name += piece;
  }
  for (const char* bad : {"/", "\\", "*", "?"})
    name.Replace(bad, "-");
  // A file dialog reads a name in double quotes as one of several names.
  name.Replace("\"", "");
  while (!name.IsEmpty() && name[0] == '.')
    name = name.Mid(1);
  return name;
}

CString FolderEntry(const CFileDialogRequest& request)
{
  CString kind = request.defaultExt;
  if (kind.IsEmpty())
    kind = FilterExtension(request.filter, 1);
  kind.MakeUpper();
  return kind;
}

CString SuggestedPathFor(const CString& defaultExt, const CString& fileName)
{
  CFileDialogRequest request;
  request.bOpen = FALSE;
  request.defaultExt = defaultExt;
  request.fileName = fileName;
  return StartPath(request);
}

void RememberFolderOf(const CString& defaultExt, const CString& path)
{
  CFileDialogRequest request;
  request.defaultExt = defaultExt;
  request.path = path;
  RememberFolder(request);
}

int PromptForFile(CWnd* pOwner, CFileDialogRequest& request)
{
  request.fileName = StartPath(request);
  for (;;) {
    if (DialogService().FileDialog(pOwner, request) != IDOK)
      return IDCANCEL;
    if (!request.bOpen) {
      request.path =
          CompleteSaveName(request.path, request.filter, request.filterIndex, request.defaultExt, request.fileName);
      if (!MayReplace(pOwner, request)) {
        // As the system's own dialog does: No goes back to the dialog with the name as it was.
        request.fileName = request.path;
        continue;
      }
    }
    RememberFolder(request);
    return IDOK;
  }
}
