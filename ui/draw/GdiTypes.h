#pragma once
// Constants and records of the drawing interface: raster operations, pen and brush styles,
// mapping modes, text alignment, device capabilities and the logical font record.
#include "platform/core/Types.h"

// Binary raster operations (the value minus one is the truth table of pen and destination).
enum : int
{
  R2_BLACK = 1,
  R2_NOTMERGEPEN = 2,
  R2_MASKNOTPEN = 3,
  R2_NOTCOPYPEN = 4,
  R2_MASKPENNOT = 5,
  R2_NOT = 6,
  R2_XORPEN = 7,
  R2_NOTMASKPEN = 8,
  R2_MASKPEN = 9,
  R2_NOTXORPEN = 10,
  R2_NOP = 11,
  R2_MERGENOTPEN = 12,
  R2_COPYPEN = 13,
  R2_MERGEPENNOT = 14,
  R2_MERGEPEN = 15,
  R2_WHITE = 16
};

enum : int
{
  PS_SOLID = 0,
  PS_DASH = 1,
  PS_DOT = 2,
  PS_DASHDOT = 3,
  PS_DASHDOTDOT = 4,
  PS_NULL = 5,
  PS_INSIDEFRAME = 6
};

enum : int
{
  BS_SOLID = 0,
  BS_NULL = 1,
  BS_HOLLOW = 1
};

// Stock objects.
enum : int
{
  WHITE_BRUSH = 0,
  LTGRAY_BRUSH = 1,
  GRAY_BRUSH = 2,
  DKGRAY_BRUSH = 3,
  BLACK_BRUSH = 4,
  NULL_BRUSH = 5,
  HOLLOW_BRUSH = 5,
  WHITE_PEN = 6,
  BLACK_PEN = 7,
  NULL_PEN = 8,
  ANSI_VAR_FONT = 12,
  SYSTEM_FONT = 13,
  DEFAULT_PALETTE = 15,
  DEFAULT_GUI_FONT = 17
};

enum : int
{
  MM_TEXT = 1,
  MM_LOMETRIC = 2,
  MM_HIMETRIC = 3,
  MM_LOENGLISH = 4,
  MM_HIENGLISH = 5,
  MM_TWIPS = 6,
  MM_ISOTROPIC = 7,
  MM_ANISOTROPIC = 8
};

enum : int
{
  TRANSPARENT = 1,
  OPAQUE = 2
};

enum : UINT
{
  TA_LEFT = 0,
  TA_RIGHT = 2,
  TA_CENTER = 6,
  TA_TOP = 0,
  TA_BOTTOM = 8,
  TA_BASELINE = 24
};

enum : UINT
{
  DT_TOP = 0x0000,
  DT_LEFT = 0x0000,
  DT_CENTER = 0x0001,
  DT_RIGHT = 0x0002,
  DT_VCENTER = 0x0004,
  DT_BOTTOM = 0x0008,
  DT_WORDBREAK = 0x0010,
  DT_SINGLELINE = 0x0020,
  DT_NOCLIP = 0x0100,
  DT_CALCRECT = 0x0400,
  DT_NOPREFIX = 0x0800
};

// GetDeviceCaps indexes and bits.
enum : int
{
  HORZSIZE = 4,
  VERTSIZE = 6,
  HORZRES = 8,
  VERTRES = 10,
  BITSPIXEL = 12,
  RASTERCAPS = 38,
  LOGPIXELSX = 88,
  LOGPIXELSY = 90,
  RC_PALETTE = 0x0100
};

// Region kinds and combination modes.
enum : int
{
  ERROR = 0,
  NULLREGION = 1,
  SIMPLEREGION = 2,
  COMPLEXREGION = 3,
  RGN_AND = 1,
  RGN_OR = 2,
  RGN_XOR = 3,
  RGN_DIFF = 4,
  RGN_COPY = 5,
  ALTERNATE = 1,
  WINDING = 2
};

enum : int
{
  FW_NORMAL = 400,
  FW_BOLD = 700,
  DEFAULT_CHARSET = 1,
  PROOF_QUALITY = 2,
  VARIABLE_PITCH = 2,
  FF_ROMAN = 0x10,
  FF_SWISS = 0x20,
  FF_MODERN = 0x30
};

struct LOGFONT
{
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  char lfFaceName[32] = {};
};

struct TEXTMETRIC
{
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
};
using LPTEXTMETRIC = TEXTMETRIC*;
