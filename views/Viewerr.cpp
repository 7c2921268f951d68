#include "views/Viewerr.h"

#include "geometry/Entity.h"
#include "platform/core/Exception.h"
#include "ui/dlg/DialogService.h"
#include "project/DocServices.h"
#include "support/Exceptn.h"
#include "support/Trace.h"
#include "ui/wnd/Wnd.h"

CString GetViewFailureText(const CException& e)
{
  CString text = e.GetErrorMessage();
  if (text.IsEmpty())
    text = "The drawing could not be made.";
  return text;
}

BOOL RunViewRebuild(CWnd* pView, CVRX2DEntityArray& drawing, BOOL& bFailureTold, const std::function<void()>& rebuild)
{
  try {
    rebuild();
    bFailureTold = FALSE;
    return TRUE;
  } catch (const CAppFatalException&) {
    throw;
  } catch (const CException& e) {
    PCTRACE(TT_VIEWS, TL_WARNING)("A drawing view could not be rebuilt: %s\n", GetViewFailureText(e).c_str());
    drawing.RemoveAll();
    pView->Invalidate(TRUE);
    if (!bFailureTold) {
      bFailureTold = TRUE;
      DialogService().MessageBox(pView, GetViewFailureText(e), GetDocServices().GetProductName(), MB_OK | MB_ICONSTOP,
                                 0);
    }
    return FALSE;
  }
}
