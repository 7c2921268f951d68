#pragma once
// The eleven screen colours of the Workbench and the drawing views, kept in the profile section
// "ExportToGDI", and the category map the device-context translators draw with.
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CMapECatToXLTGDIData;

// Declares the two accessors of one colour, named after its profile key.
#define PC_GDI_COLOR_ACCESSORS(key)                                                                                    \
  COLORREF Get##key() const { return m_colors[key]; }                                                                  \
  void Set##key(COLORREF color) { m_colors[key] = color; }

class CExportToGDIConfig : public CObject
{
  DECLARE_DYNAMIC(CExportToGDIConfig)
public:
  // The colours, in the order in which they are read and written.
  enum Color
  {
    UnitRGB,
    JoinRGB,
    SnapHighlightRGB,
    AlignmentLineRGB,
    GuidelineRGB,
    GuidelineEdgeRGB,
    GuidelineFillRGB,
    DetailSelectorsRGB,
    PlanSelectorRGB,
    PlanSelectorFillRGB,
    PlanSectionWallLineRGB,
    ColorCount
  };

  CExportToGDIConfig();
  CExportToGDIConfig(const CExportToGDIConfig&) = delete;
  CExportToGDIConfig& operator=(const CExportToGDIConfig&) = delete;
  ~CExportToGDIConfig() override;

  void Load();
  // Throws CAppFatalException at the first write that fails; nothing after it is written.
  void Save();
  // A new map owned by the caller: key 0 (black) and the 18 screen categories.
  CMapECatToXLTGDIData* CreateTranslationMap();

  // Three runs of decimal digits (0..255) for red, green and blue, each of the first two followed
  // by any one character; what follows the third is ignored. Consumes the text; *color is 0 when
  // it fails.
  static BOOL ParseRGB(CString& text, COLORREF* color);

  PC_GDI_COLOR_ACCESSORS(UnitRGB)
  PC_GDI_COLOR_ACCESSORS(JoinRGB)
  PC_GDI_COLOR_ACCESSORS(SnapHighlightRGB)
  PC_GDI_COLOR_ACCESSORS(AlignmentLineRGB)
  PC_GDI_COLOR_ACCESSORS(GuidelineRGB)
  PC_GDI_COLOR_ACCESSORS(GuidelineEdgeRGB)
  PC_GDI_COLOR_ACCESSORS(GuidelineFillRGB)
  PC_GDI_COLOR_ACCESSORS(DetailSelectorsRGB)
  PC_GDI_COLOR_ACCESSORS(PlanSelectorRGB)
  PC_GDI_COLOR_ACCESSORS(PlanSelectorFillRGB)
  PC_GDI_COLOR_ACCESSORS(PlanSectionWallLineRGB)

private:
  CMapECatToXLTGDIData* m_pCachedMap = nullptr;
  COLORREF m_colors[ColorCount];
};

#undef PC_GDI_COLOR_ACCESSORS
