#pragma once
// The program's file dialogs around the dialog service: they open in the folder last used for
// that kind of file (kept in the profile), else in the documents folder; a save dialog gives the
// name the chosen filter's extension and asks before an existing file is replaced, so no file is
// written over unasked. A name a save dialog suggests fits its folder's limit on the length of a
// name with its extension, cut at a character boundary where it must be.
#include <initializer_list>

#include "ui/dlg/DialogService.h"

// Asks for a file as the request says; IDOK (request.path set) or IDCANCEL.
int PromptForFile(CWnd* pOwner, CFileDialogRequest& request);

// The extension of the filter at a 1-based index ("csv" for "*.csv"); empty for "*.*" or none.
CString FilterExtension(const CString& filter, int filterIndex);
// The path a save dialog writes: a name without an extension takes the chosen filter's, or the
// default extension under a filter of every file. The name the dialog offered (offered, a path)
// takes it whatever dots it holds, as does a name whose last dot a space follows.
CString CompleteSaveName(const CString& path, const CString& filter, int filterIndex, const CString& defaultExt,
                         const CString& offered = CString());
// A name made of parts ("House - Kitchen - Plan View"), without characters a file name cannot hold
// and without double quotes.
CString SuggestFileName(std::initializer_list<CString> parts);
// The profile entry ("Folders") keeping the last folder of the kind of file the request asks for.
CString FolderEntry(const CFileDialogRequest& request);
// Where a file of the kind (its extension) and name is suggested when another dialog than the
// program's file dialog asks for it (a print dialog's PDF): in the folder last used for that kind,
// else the documents folder, the name fitted as a save dialog's is; and the note of the folder the
// user chose there.
CString SuggestedPathFor(const CString& defaultExt, const CString& fileName);
void RememberFolderOf(const CString& defaultExt, const CString& path);
