#include "app/Gdicfg.h"

#include <memory>

#include "app/Digitrun.h"
#include "model/Entcat.h"
#include "views/Xltdata.h"
#include "ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

constexpr const char* kModule = "Gdicfg";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineWriteFailed = 85,
};
constexpr const char* kSection = "ExportToGDI";

struct CColorSpec
{
  const char* key;
  COLORREF color;
  int categories[7];  // 0 ends the list
};

// The colours in member order with their defaults and the screen categories drawn in them.
constexpr CColorSpec kSpecs[CExportToGDIConfig::ColorCount] = {
    {"UnitRGB", RGB(0, 0, 0), {ecatUnit, ecatProposedOutline}},
    {"JoinRGB", RGB(192, 0, 0), {ecatJoinLine}},
    {"SnapHighlightRGB", RGB(192, 0, 0), {ecatSnapHighlight}},
    {"AlignmentLineRGB",
     RGB(192, 192, 192),
     {ecatGuidelineCentreAlignment, ecatJoinAlignment, ecatGuidelineEdgeAlignment, ecatInnerPartOutline,
      ecatConstruction, ecatPerimeterAlignment, ecatAlwaysOfferedAlignment}},
    {"GuidelineRGB", RGB(0, 0, 255), {ecatGuidelineCentre}},
    {"GuidelineEdgeRGB", RGB(64, 64, 255), {ecatGuidelineEdge}},
    {"GuidelineFillRGB", RGB(0, 255, 255), {ecatGuidelineFill}},
    {"DetailSelectorsRGB", RGB(0, 0, 128), {ecatSelectionLine}},
    {"PlanSelectorRGB", RGB(0, 0, 0), {ecatPlanSelector}},
    {"PlanSelectorFillRGB", RGB(224, 224, 224), {ecatPlanSelectorFill}},
    {"PlanSectionWallLineRGB", RGB(0, 0, 255), {ecatWallReturn}},
};

}  // namespace

IMPLEMENT_DYNAMIC(CExportToGDIConfig, CObject)

CExportToGDIConfig::CExportToGDIConfig()
{
  PCTRACE(TT_PREFERENCES, TL_DETAIL)("CExportToGDIConfig construction \n");
  for (int i = 0; i < ColorCount; ++i)
    m_colors[i] = kSpecs[i].color;
}

CExportToGDIConfig::~CExportToGDIConfig()
{
  PCTRACE(TT_PREFERENCES, TL_DETAIL)("CExportToGDIConfig destruction \n");
  delete m_pCachedMap;
}

BOOL CExportToGDIConfig::ParseRGB(CString& text, COLORREF* color)
{
  int red = TakeDigitRun(text);
  text = text.Mid(1);
  int green = TakeDigitRun(text);
  text = text.Mid(1);
  int blue = TakeDigitRun(text);
  *color = 0;
  if (red < 0 || green < 0 || blue < 0 || red > 255 || green > 255 || blue > 255)
    return FALSE;
  *color = RGB(red, green, blue);
  return TRUE;
}

void CExportToGDIConfig::Load()
{
  for (int i = 0; i < ColorCount; ++i) {
    CString text = AfxGetApp()->GetProfileString(kSection, kSpecs[i].key);
    COLORREF color = 0;
    if (!text.IsEmpty() && ParseRGB(text, &color))
      m_colors[i] = color;
  }
}

void CExportToGDIConfig::Save()
{
  for (int i = 0; i < ColorCount; ++i) {
    COLORREF c = m_colors[i];
    CString text = CString::Formatted("%d,%d,%d", GetRValue(c), GetGValue(c), GetBValue(c));
    if (!AfxGetApp()->WriteProfileString(kSection, kSpecs[i].key, text))
      throw CAppFatalException(kModule, kLineWriteFailed);
  }
}

CMapECatToXLTGDIData* CExportToGDIConfig::CreateTranslationMap()
{
  if (!m_pCachedMap) {
    auto map = std::make_unique<CMapECatToXLTGDIData>();
    map->SetGDIData(0, new CXLTGDIData(RGB(0, 0, 0)));
    for (int i = 0; i < ColorCount; ++i)
      for (int category : kSpecs[i].categories)
        if (category != 0)
          map->SetGDIData(category, new CXLTGDIData(m_colors[i]));
    m_pCachedMap = map.release();
  }
  return new CMapECatToXLTGDIData(*m_pCachedMap);
}
