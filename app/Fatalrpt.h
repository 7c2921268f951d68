#pragma once
// The text of the fatal-error report that ends the program.
#include "platform/core/String.h"

class CException;

// The application version the report names, formatted "%d.%01d".
constexpr int kAppVersionMajor = 1;
constexpr int kAppVersionMinor = 0;
// The process exit code after the report.
constexpr int kFatalExitCode = 99;

// The report for an exception (null for one that is not of the class library's family): the
// diagnostic lines only for the program's own exceptions, which know their source file and line.
CString FormatFatalErrorReport(const CString& productName, const CException* exception);
