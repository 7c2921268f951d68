#include "views/Xltdata.h"

#include "ui/draw/Gdi.h"
#include "support/Trace.h"
#include "support/VEntExcp.h"

namespace {

// The module that reports an entity without a category.
constexpr const char* kXltEntModule = "XltEnt";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineUnspecifiedCategory = 63,
  kLineNoDefaultEntry = 70,
};

bool IsKey(int category) { return category >= 0 && category <= 0xFFFF; }

}  // namespace

IMPLEMENT_DYNAMIC(CXLTDXFData, CObject)
IMPLEMENT_DYNAMIC(CXLTGDIData, CObject)
IMPLEMENT_DYNAMIC(CMapECatToXLTData, CObject)
IMPLEMENT_DYNAMIC(CMapECatToXLTDXFData, CMapECatToXLTData)
IMPLEMENT_DYNAMIC(CMapECatToXLTGDIData, CMapECatToXLTData)

CXLTDXFData::CXLTDXFData(int color, CString layer, CString lineType)
  : m_color(color), m_layer(std::move(layer)), m_lineType(std::move(lineType))
{}

CXLTGDIData::CXLTGDIData(COLORREF color) : m_color(color), m_pen(std::make_unique<CPen>(PS_SOLID, 0, color)) {}

CXLTGDIData::CXLTGDIData(const CXLTGDIData& source) : CXLTGDIData(source.m_color) {}

CXLTGDIData::~CXLTGDIData() = default;

CMapECatToXLTData::CMapECatToXLTData() = default;

CMapECatToXLTData::CMapECatToXLTData(const CMapECatToXLTData& source, CObject* (*copyData)(const CObject& data))
{
  PCTRACE(TT_TRANSLATORS, TL_DETAIL)("CMapECatToXLTData copy constructor \n");
  POSITION pos = source.GetStartPosition();
  while (pos) {
    WORD category = 0;
    void* data = nullptr;
    source.GetNextAssoc(pos, category, data);
    SetXLTData(category, copyData(*static_cast<CObject*>(data)));
  }
}

CMapECatToXLTData::~CMapECatToXLTData()
{
  PCTRACE(TT_TRANSLATORS, TL_DETAIL)("CMapECatToXLTData destruction \n");
  POSITION pos = GetStartPosition();
  while (pos) {
    WORD category = 0;
    void* data = nullptr;
    GetNextAssoc(pos, category, data);
    delete static_cast<CObject*>(data);
  }
  RemoveAll();
}

CObject* CMapECatToXLTData::GetXLTData(int category) const
{
  if (category == 0) {
    PCTRACE(TT_TRANSLATORS, TL_WARNING)("Throwing exception -- Unspecified category.");
    throw CVRXEntityException(kXltEntModule, kLineUnspecifiedCategory);
  }
  void* data = nullptr;
  if (IsKey(category) && Lookup(static_cast<WORD>(category), data))
    return static_cast<CObject*>(data);
  if (Lookup(0, data))
    return static_cast<CObject*>(data);
  // A map without its default entry cannot draw a category it does not hold.
  throw CVRXEntityException(kXltEntModule, kLineNoDefaultEntry);
}

void CMapECatToXLTData::SetXLTData(int category, CObject* data)
{
  if (!IsKey(category)) {
    delete data;
    return;
  }
  void* old = nullptr;
  if (Lookup(static_cast<WORD>(category), old) && old != data)
    delete static_cast<CObject*>(old);
  SetAt(static_cast<WORD>(category), data);
}

CMapECatToXLTDXFData::CMapECatToXLTDXFData()
{
  PCTRACE(TT_TRANSLATORS, TL_DETAIL)("CMapECatToXLTDXFData construction \n");
}

CMapECatToXLTDXFData::CMapECatToXLTDXFData(const CMapECatToXLTDXFData& source)
  : CMapECatToXLTData(
        source, [](const CObject& data) -> CObject* { return new CXLTDXFData(static_cast<const CXLTDXFData&>(data)); })
{}

CMapECatToXLTDXFData::~CMapECatToXLTDXFData()
{
  PCTRACE(TT_TRANSLATORS, TL_DETAIL)("CMapECatToXLTDXFData destruction \n");
}

CMapECatToXLTGDIData::CMapECatToXLTGDIData()
{
  PCTRACE(TT_TRANSLATORS, TL_DETAIL)("CMapECatToXLTGDIData construction \n");
}

CMapECatToXLTGDIData::CMapECatToXLTGDIData(const CMapECatToXLTGDIData& source)
  : CMapECatToXLTData(
        source, [](const CObject& data) -> CObject* { return new CXLTGDIData(static_cast<const CXLTGDIData&>(data)); })
{}

CMapECatToXLTGDIData::~CMapECatToXLTGDIData()
{
  PCTRACE(TT_TRANSLATORS, TL_DETAIL)("CMapECatToXLTGDIData destruction \n");
}
