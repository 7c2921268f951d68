#pragma once
// Printing to a PDF file: the printer writes a temporary file beside the target, and that file
// replaces the target only once it is whole. A failed print (a full disk, a folder that cannot be
// written) leaves the previous file as it was and tells the user which file and why.
#include <memory>

#include "platform/core/String.h"

class CAtomicFile;

class QPrinter;

class CPdfOutput
{
public:
  explicit CPdfOutput(QPrinter& printer);
  // Removes an unfinished temporary file and gives the printer back its previous output.
  ~CPdfOutput();
  CPdfOutput(const CPdfOutput&) = delete;
  CPdfOutput& operator=(const CPdfOutput&) = delete;

  // Points the printer at a temporary file beside path; FALSE (the user told) when the target
  // cannot be written, such as a read-only file.
  BOOL Begin(const CString& path);
  // After the painter has ended: checks that the file is whole and renames it over the target;
  // FALSE (the user told) when it is not, the target untouched.
  BOOL Finish();

  // The text of the message that names the file and the reason.
  static CString FailureText(const CString& path, const CString& reason);

private:
  BOOL Fail(const CString& reason);

  QPrinter& m_printer;
  int m_nOldFormat;
  CString m_strOldName;
  CString m_strOldPrinter;
  CString m_strPath;
  std::unique_ptr<CAtomicFile> m_pFile;
};
