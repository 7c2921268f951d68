#pragma once
// The program-wide drawing values of the Workbench's items: four screen colours copied from the
// preferences at start-up (later changes of the preferences reach them at the next start) and
// one bold font, made at start-up and deleted at exit.
#include "platform/core/Types.h"

class CFont;

struct CItemColors
{
  COLORREF alignmentLine = 0;
  COLORREF guideline = 0;
  COLORREF guidelineFill = 0;
  COLORREF join = 0;
};

CItemColors& ItemColors();
// Null before start-up has made it and after exit.
CFont* GetSharedBoldFont();
// Makes the bold 11-point Arial font for a screen of the given vertical resolution.
void CreateSharedBoldFont(int pixelsPerInch);
void DeleteSharedBoldFont();
