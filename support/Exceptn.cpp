#include "support/Exceptn.h"

#include "support/Trace.h"
#include "support/VEntExcp.h"

IMPLEMENT_DYNAMIC(CCommonException, CException)
IMPLEMENT_DYNAMIC(CCommonMemoryException, CCommonException)
IMPLEMENT_DYNAMIC(CAppException, CCommonException)
IMPLEMENT_DYNAMIC(CAppFatalException, CAppException)
IMPLEMENT_DYNAMIC(CAppSerializeException, CAppException)
IMPLEMENT_DYNAMIC(CVRXEntityException, CCommonException)

CCommonException::CCommonException() : file("-Unknown-"), line(0) {}

CCommonException::CCommonException(const char* sourceFile, int sourceLine) : file(sourceFile), line(sourceLine) {}

void CCommonException::SetDescription(const char* text)
{
  description = text;
  message = description;
}

CCommonMemoryException::CCommonMemoryException(const char* sourceFile, int sourceLine)
  : CCommonException(sourceFile, sourceLine)
{
  SetDescription("A memory error has occurred.");
}

CAppException::CAppException(const char* sourceFile, int sourceLine) : CCommonException(sourceFile, sourceLine)
{
  PCTRACE(TT_APPLICATION, TL_WARNING)("Creating a CAppException.\n");
}

CAppFatalException::CAppFatalException(const char* sourceFile, int sourceLine) : CAppException(sourceFile, sourceLine)
{
  SetDescription("A fatal error has occurred.");
}

CAppSerializeException::CAppSerializeException(const char* sourceFile, int sourceLine, int causeCode)
  : CAppException(sourceFile, sourceLine), code(causeCode)
{
  SetDescription("A error has occurred while reading or writing a project file.");
}

CVRXEntityException::CVRXEntityException(const char* sourceFile, int sourceLine)
  : CCommonException(sourceFile, sourceLine)
{
  SetDescription("An internal entity error has occurred.");
}
