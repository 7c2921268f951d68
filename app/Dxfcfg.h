#pragma once
// Layer, colour and line type of each kind of drawing line in DXF output: thirty records kept in
// the profile section "ExportToDXF", and the category map the DXF export hands its translator.
#include "app/Dxfcolor.h"

class CMapECatToXLTDXFData;

class CAppAssocDXFExportColorAndDescription : public CAssocDXFExportColorAndDescription
{
  DECLARE_DYNAMIC(CAppAssocDXFExportColorAndDescription)
public:
  CAppAssocDXFExportColorAndDescription() = default;
  // A colour name of the table (any letter case) or its number; *code is set only on success.
  BOOL GetColorCode(CString text, int* code);
};

// Declares the six accessors of one record, named after its profile key prefix.
#define PC_DXF_RECORD_ACCESSORS(prefix)                                                                                \
  CString Get##prefix##Layer() const { return m_records[prefix].layer; }                                               \
  int Get##prefix##Color() const { return m_records[prefix].color; }                                                   \
  CString Get##prefix##LineType() const { return m_records[prefix].lineType; }                                         \
  void Set##prefix##Layer(const CString& layer) { SetLayer(prefix, layer); }                                           \
  void Set##prefix##Color(int color) { SetColor(prefix, color); }                                                      \
  void Set##prefix##LineType(const CString& lineType) { SetLineType(prefix, lineType); }

class CExportToDXFConfig : public CObject
{
  DECLARE_DYNAMIC(CExportToDXFConfig)
public:
  // The records, in the order in which they are read and written.
  enum Record
  {
    DetailMaterialHatching,
    DetailWood,
    DetailVinyl,
    DetailAluminum,
    DetailSteel,
    DetailGlass,
    DetailOther,
    DetailExtension,
    DoorPlanSectionWallCutLine,
    DoorPlanSectionGlass,
    DoorPlanSectionFrame,
    DoorPlanSectionSillJamb,
    DoorPlanSectionLabel,
    WindowPlanSectionWallCutLine,
    WindowPlanSectionGlass,
    WindowPlanSectionFrame,
    WindowPlanSectionSillJamb,
    WindowPlanSectionLabel,
    DoorElevationFrame,
    DoorElevationGlassSash,
    DoorElevationOperatingSymbol,
    DoorElevationGrilles,
    DoorElevationGroupBoundary,
    DoorElevationLabel,
    WindowElevationFrame,
    WindowElevationGlassSash,
    WindowElevationOperatingSymbol,
    WindowElevationGrilles,
    WindowElevationGroupBoundary,
    WindowElevationLabel,
    RecordCount
  };
  // DXF names are kept to this many characters.
  static constexpr int kMaxNameLength = 31;

  CExportToDXFConfig();
  CExportToDXFConfig(const CExportToDXFConfig&) = delete;
  CExportToDXFConfig& operator=(const CExportToDXFConfig&) = delete;
  ~CExportToDXFConfig() override;

  void Load();
  // Throws CAppFatalException at the first write that fails; nothing after it is written.
  void Save();
  // A new map owned by the caller: key 0 and the 31 drawing categories 25 to 30 and 32 to 56.
  CMapECatToXLTDXFData* CreateTranslationMap();

  PC_DXF_RECORD_ACCESSORS(DetailMaterialHatching)
  PC_DXF_RECORD_ACCESSORS(DetailWood)
  PC_DXF_RECORD_ACCESSORS(DetailVinyl)
  PC_DXF_RECORD_ACCESSORS(DetailAluminum)
  PC_DXF_RECORD_ACCESSORS(DetailSteel)
  PC_DXF_RECORD_ACCESSORS(DetailGlass)
  PC_DXF_RECORD_ACCESSORS(DetailOther)
  PC_DXF_RECORD_ACCESSORS(DetailExtension)
  PC_DXF_RECORD_ACCESSORS(DoorPlanSectionWallCutLine)
  PC_DXF_RECORD_ACCESSORS(DoorPlanSectionGlass)
  PC_DXF_RECORD_ACCESSORS(DoorPlanSectionFrame)
  PC_DXF_RECORD_ACCESSORS(DoorPlanSectionSillJamb)
  PC_DXF_RECORD_ACCESSORS(DoorPlanSectionLabel)
  PC_DXF_RECORD_ACCESSORS(WindowPlanSectionWallCutLine)
  PC_DXF_RECORD_ACCESSORS(WindowPlanSectionGlass)
  PC_DXF_RECORD_ACCESSORS(WindowPlanSectionFrame)
  PC_DXF_RECORD_ACCESSORS(WindowPlanSectionSillJamb)
  PC_DXF_RECORD_ACCESSORS(WindowPlanSectionLabel)
  PC_DXF_RECORD_ACCESSORS(DoorElevationFrame)
  PC_DXF_RECORD_ACCESSORS(DoorElevationGlassSash)
  PC_DXF_RECORD_ACCESSORS(DoorElevationOperatingSymbol)
  PC_DXF_RECORD_ACCESSORS(DoorElevationGrilles)
  PC_DXF_RECORD_ACCESSORS(DoorElevationGroupBoundary)
  PC_DXF_RECORD_ACCESSORS(DoorElevationLabel)
  PC_DXF_RECORD_ACCESSORS(WindowElevationFrame)
  PC_DXF_RECORD_ACCESSORS(WindowElevationGlassSash)
  PC_DXF_RECORD_ACCESSORS(WindowElevationOperatingSymbol)
  PC_DXF_RECORD_ACCESSORS(WindowElevationGrilles)
  PC_DXF_RECORD_ACCESSORS(WindowElevationGroupBoundary)
  PC_DXF_RECORD_ACCESSORS(WindowElevationLabel)

private:
  struct CRecord
  {
    CString layer;
    int color = 0;
    CString lineType;
  };

  // An empty name (or one the DXF file cannot carry) stores the default; a long one is cut.
  void SetLayer(int record, const CString& layer);
  void SetLineType(int record, const CString& lineType);
  // -1 stores the record's default colour.
  void SetColor(int record, int color);

  CMapECatToXLTDXFData* m_pCachedMap = nullptr;
  CRecord m_records[RecordCount];
};

#undef PC_DXF_RECORD_ACCESSORS
