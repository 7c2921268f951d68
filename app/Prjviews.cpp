#include "app/Prjviews.h"

#include "reports/Rptframe.h"
#include "views/Aspbars.h"

void RegisterProjectViewBars()
{
  RegisterAspectViewBars();
  RegisterReportBars();
}
