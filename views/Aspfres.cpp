#include "ui/wnd/Resource.h"
#include "views/Aspframe.h"
#include "views/Aspview.h"

void RegisterAspectResources()
{
  CResources& res = CResources::Get();
  res.AddString(IDS_FILE_NOT_WRITTEN, "The file could not be written.");
  res.AddString(IDS_PART_NOT_PRINTED,
                "Part of the symbol will not be printed because it extends beyond the page boundary.");
}
