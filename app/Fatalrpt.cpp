#include "app/Fatalrpt.h"

#include "support/ComExcpt.h"

CString FormatFatalErrorReport(const CString& productName, const CException* exception)
{
  CString text = "An internal error has occurred within " + productName + ";\nthe application will terminate.\n\n";
  const CCommonException* common = nullptr;
  if (exception && exception->IsKindOf(RUNTIME_CLASS(CCommonException)))
    common = static_cast<const CCommonException*>(exception);
  if (common) {
    text += "Diagnostic information:\nApplication Version = ";
    text += CString::Formatted("%d.%01d", kAppVersionMajor, kAppVersionMinor);
    text += "\nModule = " + common->file + "\nLine = " + CString::Formatted("%d", common->line) + "\n\n";
    if (!common->description.IsEmpty())
      text += "Additional Information: \n" + common->description + "\n\n";
  }
  text += "We apologize for this inconvenience.  Please report this error to your support representative.";
  return text;
}
