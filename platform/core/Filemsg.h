#pragma once
// Texts that tell the user why a file could not be written or read: the file and the system's
// reason, after the message of the command that failed.
#include <exception>

#include "platform/core/String.h"

class CException;

// The system's own text for the error number the exception carries, else the exception's own
// text; a lock held by another program says so before the system's text. Empty when neither
// says anything.
CString FileFailureReason(const CException& e);
// The same for any failure caught: a program exception as above, running out of memory as the
// system says it; empty for anything else.
CString FileFailureReason(std::exception_ptr failure);

// The message, then "File:  " and the path, then "Reason:  " and the reason when there is one,
// each on a line of its own.
CString FileFailureMessage(const CString& message, const CString& path, const CException& e);
CString FileFailureMessage(const CString& message, const CString& path, const CString& reason);
