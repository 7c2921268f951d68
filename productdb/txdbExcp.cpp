#include "productdb/txdbExcp.h"

IMPLEMENT_DYNAMIC(CTXDBException, CCommonException)

CTXDBException::CTXDBException(const char* sourceFile, int sourceLine, int causeCode)
  : CCommonException(sourceFile, sourceLine), cause(causeCode)
{
  if (cause == fileNotFound)
    SetDescription("The database file was not found.");
  else if (cause == badPath)
    SetDescription("The path for the database is invalid.");
  else
    SetDescription(CString::Formatted("Error reading the database; cause = %i.", cause));
}

void CTXDBException::AppendFileName(const char* path)
{
  CString suffix = CString("  File = ") + path;
  message += suffix;
  description += suffix;
}
