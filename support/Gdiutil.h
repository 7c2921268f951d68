#pragma once
// Keeps device points drawable on 16-bit device coordinates: rounding to whole units, clamping to
// the short range, clipping a segment to a visible box, and the categories a view copy leaves out.
#include "platform/core/Rect.h"

// Halves away from zero; never -0.0.
double Round(double x);
int ClampToShort(int v);
RECT MakeClampedRect(int left, int top, int right, int bottom);
// Clips p1-p2 in place to the box left..left+width-1 by top..top+height-1 (each edge at most
// 32767). TRUE when something of the segment is visible.
BOOL ClipLineToRect(POINT& p1, POINT& p2, int left, int top, int width, int height);
// Entity categories 1 to 24 stay out of clipboard, DXF and print copies of a view.
BOOL IsOutputExcludedCategory(int category);
