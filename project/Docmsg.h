#pragma once
// The texts shown when a project file cannot be opened or saved.
#include <exception>

#include "platform/core/String.h"

// The message for the exception that ended an open; path as given to open. A complete copy an
// interrupted save of the file left beside it is named after it, unless the file was only in use.
CString GetOpenFailureMessage(std::exception_ptr failure, const CString& path, const CString& productName,
                              const CString& completeCopy = CString());
// TRUE when the open ended because another holds the file.
BOOL IsFileInUse(std::exception_ptr failure);
// Told when a file opens beside the complete copy an interrupted save of it left, holding other
// bytes than the copy: as before that save where the file was not written since (fileAsBefore),
// else anything from that to a part of the save.
CString GetNewerCopyMessage(const CString& path, const CString& completeCopy, BOOL fileAsBefore);
// The message for the exception that ended a save, followed by its cause (the system's own
// text for a file error).
CString GetSaveFailureMessage(std::exception_ptr failure, const CString& path);
// The questions before storing the edited design and before replacing a stored design.
CString GetStoreChangesQuestion(const CString& designName);
CString GetReplaceQuestion(const CString& designName);
// A stored design whose block cannot be rebuilt.
CString GetDesignUnreadableMessage(const CString& designName);
// The edited design could not be stored, followed by the cause; it stays on the Workbench. When
// the store came before a save (beforeSave), the save did not run either, and the text says so.
CString GetDesignNotStoredMessage(const CString& designName, std::exception_ptr failure, BOOL beforeSave = FALSE);
// A new design the Workbench cannot open: the product database can no longer be read.
CString GetNewDesignUnopenableMessage();
