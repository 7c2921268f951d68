#include "model/Unitexcp.h"

IMPLEMENT_DYNAMIC(CUnitException, CCommonException)

CUnitException::CUnitException(const char* sourceFile, int sourceLine) : CCommonException(sourceFile, sourceLine)
{
  SetDescription("An internal unit error has occurred.");
}
