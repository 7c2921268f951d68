#include "productdata/Catexcpt.h"

IMPLEMENT_DYNAMIC(CCatalogueException, CCommonException)

CCatalogueException::CCatalogueException(const char* sourceFile, int sourceLine, const CString& text)
  : CCommonException(sourceFile, sourceLine)
{
  SetDescription(text);
}
