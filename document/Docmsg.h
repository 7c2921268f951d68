#pragma once
// The texts shown when a project file cannot be opened or saved.
#include <exception>

#include "platform/core/String.h"

// The message for the exception that ended an open; path as given to open.
CString GetOpenFailureMessage(std::exception_ptr failure, const CString& path, const CString& productName);
CString GetSaveFailureMessage(const CString& path);
// A stored design whose block cannot be rebuilt.
CString GetDesignUnreadableMessage(const CString& designName);
