#include "app/Dxfcfg.h"

#include <climits>

#include "model/Entcat.h"
#include "views/Xltdata.h"
#include "ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

constexpr const char* kModule = "Dxfcfg";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineWriteLayer = 154,
  kLineWriteColor = 155,
  kLineWriteLineType = 156,
};
constexpr const char* kSection = "ExportToDXF";
constexpr const char* kContinuous = "Continuous";

struct CRecordSpec
{
  const char* prefix;
  int categories[2];  // 0 ends the list
  const char* layer;
  int color;
};

// The records in member order with the drawing categories each one serves.
constexpr CRecordSpec kSpecs[CExportToDXFConfig::RecordCount] = {
    {"DetailMaterialHatching", {ecatDetailMaterialHatching, 0}, "A-Detl-Patt", 1},
    {"DetailWood", {ecatDetailCore, 0}, "A-Detl-Mcut", 2},
    {"DetailVinyl", {ecatDetailCladding, ecatDetailFlange}, "A-Detl-Mcut", 2},
    {"DetailAluminum", {ecatDetailAluminum, 0}, "A-Detl-Mcut", 2},
    {"DetailSteel", {ecatDetailSteel, 0}, "A-Detl-Mcut", 2},
    {"DetailGlass", {ecatDetailGlass, 0}, "A-Detl-Mcut", 1},
    {"DetailOther", {ecatDetailOther, 0}, "A-Detl-Mcut", 2},
    {"DetailExtension", {ecatDetailExtension, 0}, "A-Detl-Mbnd", 5},
    {"DoorPlanSectionWallCutLine", {ecatDoorPlanSectionWallCutLine, 0}, "A-Door-Prht", 2},
    {"DoorPlanSectionGlass", {ecatDoorPlanSectionGlass, 0}, "A-Door-Prht", 1},
    {"DoorPlanSectionFrame", {ecatDoorPlanSectionFrame, 0}, "A-Door-Prht", 2},
    {"DoorPlanSectionSillJamb", {ecatDoorPlanSectionSillJamb, 0}, "A-Door-Sill", 5},
    {"DoorPlanSectionLabel", {ecatDoorPlanSectionLabel, 0}, "A-Door-Iden", 2},
    {"WindowPlanSectionWallCutLine", {ecatWindowPlanSectionWallCutLine, 0}, "A-Glaz-Prht", 2},
    {"WindowPlanSectionGlass", {ecatWindowPlanSectionGlass, 0}, "A-Glaz-Prht", 1},
    {"WindowPlanSectionFrame", {ecatWindowPlanSectionFrame, 0}, "A-Glaz-Prht", 2},
    {"WindowPlanSectionSillJamb", {ecatWindowPlanSectionSillJamb, 0}, "A-Glaz-Sill", 5},
    {"WindowPlanSectionLabel", {ecatWindowPlanSectionLabel, 0}, "A-Glaz-Iden", 2},
    {"DoorElevationFrame", {ecatDoorElevationFrame, 0}, "A-Door-Elev", 2},
    {"DoorElevationGlassSash", {ecatDoorElevationGlassSash, 0}, "A-Door-Elev", 2},
    {"DoorElevationOperatingSymbol", {ecatDoorElevationOperatingSymbol, 0}, "A-Door-Elev", 5},
    {"DoorElevationGrilles", {ecatDoorElevationGrilles, 0}, "A-Door-Elev", 1},
    {"DoorElevationGroupBoundary", {ecatDoorElevationGroupBoundary, 0}, "A-Door-Elev", 6},
    {"DoorElevationLabel", {ecatDoorElevationLabel, 0}, "A-Door-Iden", 2},
    {"WindowElevationFrame", {ecatWindowElevationFrame, 0}, "A-Glaz-Elev", 2},
    {"WindowElevationGlassSash", {ecatWindowElevationGlassSash, 0}, "A-Glaz-Elev", 2},
    {"WindowElevationOperatingSymbol", {ecatWindowElevationOperatingSymbol, 0}, "A-Glaz-Elev", 5},
    {"WindowElevationGrilles", {ecatWindowElevationGrilles, 0}, "A-Glaz-Elev", 1},
    {"WindowElevationGroupBoundary", {ecatWindowElevationGroupBoundary, 0}, "A-Glaz-Elev", 6},
    {"WindowElevationLabel", {ecatWindowElevationLabel, 0}, "A-Glaz-Iden", 2},
};

// A DXF file cannot carry control characters in a name; such a name counts as empty.
CString UsableName(const CString& name, const char* fallback)
{
  for (int i = 0; i < name.GetLength(); ++i)
    if (static_cast<unsigned char>(name[i]) < 0x20)
      return fallback;
  return name.IsEmpty() ? CString(fallback) : name.Left(CExportToDXFConfig::kMaxNameLength);
}

CString Key(int record, const char* suffix) { return CString(kSpecs[record].prefix) + suffix; }

void Write(const CString& key, const CString& value, int line)
{
  if (!AfxGetApp()->WriteProfileString(kSection, key, value))
    throw CAppFatalException(kModule, line);
}

}  // namespace

IMPLEMENT_DYNAMIC(CAppAssocDXFExportColorAndDescription, CAssocDXFExportColorAndDescription)
IMPLEMENT_DYNAMIC(CExportToDXFConfig, CObject)

BOOL CAppAssocDXFExportColorAndDescription::GetColorCode(CString text, int* code)
{
  int found = 0;
  if (LookupCodeNoCase(text, found)) {
    *code = found;
    return TRUE;
  }
  long number = StrToLong(text);
  if (number != 0) {
    CString name;
    if (number < INT_MIN || number > INT_MAX || !Lookup(static_cast<int>(number), name))
      return FALSE;
    *code = static_cast<int>(number);
    return TRUE;
  }
  if (text.IsEmpty() || text.SpanIncluding("0").GetLength() != text.GetLength())
    return FALSE;
  *code = 0;
  return TRUE;
}

CExportToDXFConfig::CExportToDXFConfig()
{
  PCTRACE(TT_PREFERENCES, TL_DETAIL)("CExportToDXFConfig construction \n");
  for (int record = 0; record < RecordCount; ++record) {
    SetLayer(record, CString());
    SetColor(record, -1);
    SetLineType(record, CString());
  }
}

CExportToDXFConfig::~CExportToDXFConfig()
{
  PCTRACE(TT_PREFERENCES, TL_DETAIL)("CExportToDXFConfig destruction \n");
  delete m_pCachedMap;
}

void CExportToDXFConfig::SetLayer(int record, const CString& layer)
{
  m_records[record].layer = UsableName(layer, kSpecs[record].layer);
}

void CExportToDXFConfig::SetLineType(int record, const CString& lineType)
{
  m_records[record].lineType = UsableName(lineType, kContinuous);
}

void CExportToDXFConfig::SetColor(int record, int color)
{
  m_records[record].color = color == -1 ? kSpecs[record].color : color;
}

void CExportToDXFConfig::Load()
{
  CWinApp* app = AfxGetApp();
  CAppAssocDXFExportColorAndDescription colors;
  for (int record = 0; record < RecordCount; ++record) {
    SetLayer(record, app->GetProfileString(kSection, Key(record, "Layer")));
    int color = -1;
    if (!colors.GetColorCode(app->GetProfileString(kSection, Key(record, "Color")), &color))
      color = -1;
    SetColor(record, color);
    SetLineType(record, app->GetProfileString(kSection, Key(record, "LineType")));
  }
}

void CExportToDXFConfig::Save()
{
  CAppAssocDXFExportColorAndDescription colors;
  for (int record = 0; record < RecordCount; ++record) {
    const CRecord& r = m_records[record];
    CString colorName;
    if (!colors.Lookup(r.color, colorName))
      colorName.Empty();
    Write(Key(record, "Layer"), r.layer, kLineWriteLayer);
    Write(Key(record, "Color"), colorName, kLineWriteColor);
    Write(Key(record, "LineType"), r.lineType, kLineWriteLineType);
  }
}

CMapECatToXLTDXFData* CExportToDXFConfig::CreateTranslationMap()
{
  if (!m_pCachedMap) {
    auto map = std::make_unique<CMapECatToXLTDXFData>();
    map->SetDXFData(0, new CXLTDXFData(7, "0", kContinuous));
    for (int record = 0; record < RecordCount; ++record)
      for (int category : kSpecs[record].categories)
        if (category != 0)
          map->SetDXFData(
              category, new CXLTDXFData(m_records[record].color, m_records[record].layer, m_records[record].lineType));
    m_pCachedMap = map.release();
  }
  return new CMapECatToXLTDXFData(*m_pCachedMap);
}
