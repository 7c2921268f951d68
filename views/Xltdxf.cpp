#include "views/Xltdxf.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "geometry/2dmatrix.h"
#include "platform/core/File.h"
#include "platform/core/Filemsg.h"
#include "platform/core/Atomfile.h"
#include "support/ComExcpt.h"
#include "support/Trace.h"
#include "views/Xltdata.h"

namespace {

constexpr const char* kModule = "Xltdxf";
// A coordinate that is no number cannot be written as one.
constexpr int kLineNotANumber = 212;

// Large enough that an export of many entities costs few system calls.
constexpr size_t kFlushSize = 1 << 16;
// Holds "%.10f" of the largest double (309 digits before the point) with room to spare.
constexpr size_t kNumberBufferSize = 400;

// DXF leaves the line type to the layer when it is not named or named "BYLAYER".
BOOL NamesLineType(const CString& lineType) { return !lineType.IsEmpty() && lineType.CompareNoCase("bylayer") != 0; }

}  // namespace

CDXFTranslator::CDXFTranslator(CMapECatToXLTDXFData* pMap, CString path)
  : CEntityTranslator(pMap), m_pOut(std::make_unique<CAtomicFile>(path))
{
  PCTRACE(TT_TRANSLATORS, TL_DETAIL)("CDXFTranslator construction \n");
  m_strLineEnd = '\r';
  m_strLineEnd += '\n';
  m_buffer.reserve(kFlushSize + 4096);
  WriteGroup("  0", "SECTION");
  WriteGroup("  2", "ENTITIES");
}

// An export that did not complete leaves no trace: the writer removes its temporary file.
CDXFTranslator::~CDXFTranslator() { PCTRACE(TT_TRANSLATORS, TL_DETAIL)("CDXFTranslator destruction \n"); }

CString CDXFTranslator::CleanName(const CString& name)
{
  CString clean;
  for (int i = 0; i < name.GetLength(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c >= 0x20 && c != 0x7F)
      clean += name[i];
  }
  clean.TrimRight(' ');
  return clean;
}

void CDXFTranslator::TranslateLine(const CVRX2DLine& line)
{
  const auto& data = *static_cast<const CXLTDXFData*>(GetCategoryMap()->GetXLTData(line.GetCategory()));
  const CVRX2DPoint start = line.GetStartPoint();
  const CVRX2DPoint end = line.GetEndPoint();
  WriteProperties("LINE", data);
  WriteNumber(" 10", start.GetX());
  WriteNumber(" 20", start.GetY());
  WriteGroup(" 30", "0.0", 3);
  WriteNumber(" 11", end.GetX());
  WriteNumber(" 21", end.GetY());
  WriteGroup(" 31", "0.0", 3);
  FlushIfFull();
}

void CDXFTranslator::TranslateArc(const CVRX2DArc& arc)
{
  const auto& data = *static_cast<const CXLTDXFData*>(GetCategoryMap()->GetXLTData(arc.GetCategory()));
  CVRX2DEntityArray pieces;
  SplitArc(pieces, arc);
  const BOOL circle = pieces.GetSize() == 1 && arc.GetStartAngle() == arc.GetEndAngle();
  for (int i = 0; i < pieces.GetSize(); ++i) {
    const auto& piece = *static_cast<const CVRX2DArc*>(pieces[i]);
    WriteProperties(circle ? "CIRCLE" : "ARC", data);
    WriteNumber(" 10", piece.GetCentre().GetX());
    WriteNumber(" 20", piece.GetCentre().GetY());
    WriteGroup(" 30", "0.0", 3);
    WriteNumber(" 40", piece.GetMajorRadius());
    if (!circle) {
      WriteNumber(" 50", VRXRadiansToDegrees(piece.GetStartAngle().GetRadians()));
      WriteNumber(" 51", VRXRadiansToDegrees(piece.GetEndAngle().GetRadians()));
    }
  }
  FlushIfFull();
}

void CDXFTranslator::Complete()
{
  WriteGroup("  0", "ENDSEC");
  WriteGroup("  0", "EOF");
  Flush();
  m_pOut->Commit();
}

void CDXFTranslator::WriteProperties(const char* type, const CXLTDXFData& data)
{
  WriteGroup("  0", type, std::char_traits<char>::length(type));
  WriteGroup("  8", CleanName(data.GetLayer()));
  const CString lineType = CleanName(data.GetLineType());
  if (NamesLineType(lineType))
    WriteGroup("  6", lineType);
  if (data.GetColor() != 0) {
    char colour[16];
    const int length = std::snprintf(colour, sizeof colour, "%6u", static_cast<unsigned>(data.GetColor()));
    WriteGroup(" 62", colour, static_cast<size_t>(length));
  }
}

void CDXFTranslator::WriteGroup(const char* code, const char* value, size_t length)
{
  m_buffer.append(code, 3);
  m_buffer.append(m_strLineEnd.c_str(), 2);
  m_buffer.append(value, length);
  m_buffer.append(m_strLineEnd.c_str(), 2);
}

// Fixed point with ten decimals, as printf's "%3.10f" in the "C" locale writes it, whatever the
// program's locale.
void CDXFTranslator::WriteNumber(const char* code, double value)
{
  if (!std::isfinite(value))
    throw CCommonException(kModule, kLineNotANumber);
  char text[kNumberBufferSize];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 10);
  WriteGroup(code, text, static_cast<size_t>(result.ptr - text));
}

void CDXFTranslator::FlushIfFull()
{
  if (m_buffer.size() >= kFlushSize)
    Flush();
}

void CDXFTranslator::Flush()
{
  if (m_buffer.empty())
    return;
  m_pOut->GetFile().Write(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
  m_buffer.clear();
}

double DXFTranslationFactor(int translationUnit)
{
  switch (translationUnit) {
  case 1:
    // Exactly a twelfth, so that twelve inches are written as one foot.
    return 1.0 / 12.0;
  case 2:
    return 2.54;
  case 3:
    return 25.4;
  case 4:
    return 0.0254;
  default:
    return 1.0;
  }
}

void ScaleToDXFUnit(CVRX2DEntityArray& entities, int translationUnit)
{
  if (translationUnit < 1 || translationUnit > 4)
    return;
  CVRX2DTransformationMatrix scale;
  const double factor = DXFTranslationFactor(translationUnit);
  scale.Scale(factor, factor);
  entities.Transform(scale);
}

BOOL WriteDXFFile(const CString& path, const CVRX2DEntityArray& entities, CMapECatToXLTDXFData* pMap, CString* pReason)
{
  try {
    CDXFTranslator translator(pMap, path);
    translator.Translate(entities);
    translator.Complete();
    return TRUE;
  } catch (const CException& e) {
    PCTRACE(TT_TRANSLATORS, TL_WARNING)
    ("DXF export to %s failed: %s\n", static_cast<const char*>(path), static_cast<const char*>(e.GetErrorMessage()));
    if (pReason)
      *pReason = FileFailureReason(e);
    return FALSE;
  }
}
