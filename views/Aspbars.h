#pragma once
// The dialog bars of the Plan, Elevation and Detail frames: the row of output buttons and, below
// it, the fields of the view.
#include "views/Viewids.h"

void RegisterAspectViewBars();
