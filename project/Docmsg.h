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
// Where the edited design stands when it could not be stored, for the message to say.
enum class NotStored
{
  onWorkbench,       // it stays on the Workbench
  saveStopped,       // it stays on the Workbench, and the save it came before did not run either
  notOpened,         // a new design, not opened on the Workbench
  keptAsLastStored,  // its Workbench has closed; the project keeps the design as last stored
  notInProject       // its Workbench has closed, and the project does not hold the design
};
// The edited design could not be stored, what holds, then the cause.
CString GetDesignNotStoredMessage(const CString& designName, std::exception_ptr failure,
                                  NotStored holds = NotStored::onWorkbench);
// A new design the Workbench cannot open: the product database can no longer be read.
CString GetNewDesignUnopenableMessage();
