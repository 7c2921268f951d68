#include "model/Stdunit.h"

#include <cstdlib>

#include "model/Curropts.h"
#include "model/Rptdata.h"
#include "model/Sizing.h"
#include "model/Unitexcp.h"
#include "productdb/Operchoi.h"
#include "productdb/Opers.h"
#include "productdb/Optexcpt.h"

IMPLEMENT_DYNAMIC(CStandardUnit, CUnit)

namespace {
constexpr const char* kModule = "Stdunit";
constexpr int kNoFirstSizeLine = 67;
constexpr int kOtherClassAssignedLine = 112;
constexpr int kNoOperatingChoiceLine = 485;
constexpr int kNoSizeCodeLine = 507;
constexpr int kNoHeightLine = 531;
constexpr int kNoWidthLine = 543;
constexpr int kNoDefaultOperatingChoiceLine = 646;
constexpr int kNoChoiceForSizeLine = 802;
}  // namespace

CStandardUnit::CStandardUnit(const CString& type, const CString& subtype)
  : CUnit(type, subtype), m_pCurrentSize(std::make_unique<CStdSizesRec>())
{
  m_pCurrentSize->SetTypeCode(type);
  m_pCurrentSize->SetSubtypeCode(subtype);
  m_pCurrentSize->SetSizeCode("");
  BOOL atEnd = FALSE;
  if (m_pCurrentSize->SeekGE(1, &atEnd) != 0 || atEnd || !IsOwnRow(*m_pCurrentSize))
    throw CUnitException(kModule, kNoFirstSizeLine);
  SetDefaultOperatingChoice();
  m_pProposedSize = std::make_unique<CStdSizesRec>(*m_pCurrentSize);
  ResetProposedSize();
}

CStandardUnit::CStandardUnit(const CStandardUnit& source)
  : CUnit(source),
    m_pCurrentSize(std::make_unique<CStdSizesRec>(*source.m_pCurrentSize)),
    m_strOperatingChoice(source.m_strOperatingChoice),
    m_pProposedSize(std::make_unique<CStdSizesRec>(*source.m_pProposedSize))
{}

CStandardUnit::~CStandardUnit() = default;

CUnit& CStandardUnit::operator=(const CUnit& source)
{
  if (&source == this)
    return *this;
  if (!source.IsKindOf(GetRuntimeClass()))
    throw CUnitException(kModule, kOtherClassAssignedLine);
  CUnit::operator=(source);
  const auto& other = static_cast<const CStandardUnit&>(source);
  *m_pCurrentSize = *other.m_pCurrentSize;
  m_strOperatingChoice = other.m_strOperatingChoice;
  *m_pProposedSize = *other.m_pProposedSize;
  return *this;
}

CString CStandardUnit::GetAttributes() const
{
  return CUnit::GetAttributes() + "," + GetSizeCode() + "," + m_strOperatingChoice;
}

void CStandardUnit::SetAttributes(CString& attributes)
{
  // A refused size or operating choice leaves the options, the size and the choice as they were.
  const CCurrentOptionChoices previousChoices(*GetCurrentOptionChoices());
  const CStdSizesRec previousSize(*m_pCurrentSize);
  const CString previousOperating = m_strOperatingChoice;
  CUnit::SetAttributes(attributes);
  try {
    const CString sizeCode = GetNextAttribute(attributes);
    const CString operating = GetNextAttribute(attributes);
    SetSizeCode(sizeCode);
    SetOperatingChoice(operating);
  } catch (...) {
    *GetCurrentOptionChoices() = previousChoices;
    if (m_pCurrentSize->GetSizeCode() != previousSize.GetSizeCode())
      SelectSize(previousSize);
    m_strOperatingChoice = previousOperating;
    DiscardGeometry();
    throw;
  }
}

CString CStandardUnit::GetSizeText(int lengthFormat) const
{
  return FormatSizeText(m_pProposedSize->GetSizeCode(), lengthFormat, {GetProposedWidth(), GetProposedHeight()});
}

int CStandardUnit::GetPanelCount() const { return m_pCurrentSize->GetField28(); }
double CStandardUnit::GetHeight() const { return m_pCurrentSize->GetHeight(); }
double CStandardUnit::GetWidth() const { return m_pCurrentSize->GetWidth(); }
double CStandardUnit::GetProposedHeight() const { return m_pProposedSize->GetHeight(); }
double CStandardUnit::GetProposedWidth() const { return m_pProposedSize->GetWidth(); }
char CStandardUnit::GetPanelOperation(int panel) const
{
  return panel >= 0 && panel < m_strOperatingChoice.GetLength() ? m_strOperatingChoice[panel] : '\0';
}

CString CStandardUnit::GetSizeCode() const { return m_pCurrentSize->GetSizeCode(); }
double CStandardUnit::GetSizeValue(int n) const { return m_pCurrentSize->GetFloatByIndex(n); }

void CStandardUnit::GetElevationEntities(int lines, BOOL showOperation, BOOL showGrilles, CVRX2DEntityArray& out) const
{
  CUnit::GetElevationEntities(lines, showOperation, showGrilles, out);
  if (showOperation)
    GetOperationEntities(lines, out);
  if (showGrilles)
    GetGrilleEntities(lines, out);
}

// The size code in the key keeps units of different sizes from being counted as one.
void CStandardUnit::GetReportData(CScheduleReportDataArray& rows) const
{
  const int first = rows.GetSize();
  CUnit::GetReportData(rows);
  for (int i = first; i < rows.GetSize(); ++i) {
    rows[i]->m_strDescription = GetSizeCode();
    rows[i]->m_strUnitKey += "," + GetSizeCode();
  }
}

void CStandardUnit::GetReportData(CUnitInfoReportDataArray& records) const
{
  const int first = records.GetSize();
  CUnit::GetReportData(records);
  for (int i = first; i < records.GetSize(); ++i) {
    records[i]->m_strDescription = GetSizeCode();
    records[i]->m_strOperationCode = m_strOperatingChoice;
    records[i]->m_strUnitKey += "," + GetSizeCode() + "," + m_strOperatingChoice;
  }
}

CVRX2DVector CStandardUnit::SetSizeToProposed()
{
  const CVRX2DVector offset = CUnit::SetSizeToProposed();
  SelectSize(CStdSizesRec(*m_pProposedSize));
  return offset;
}

void CStandardUnit::ResetProposedSize()
{
  CUnit::ResetProposedSize();
  if (m_pProposedSize)
    *m_pProposedSize = *m_pCurrentSize;
}

BOOL CStandardUnit::IsChoiceCurrent(const COptExcptRec& row) const
{
  if (!CUnit::IsChoiceCurrent(row))
    return FALSE;
  const CString operation = row.GetOperationCode();
  if (!operation.IsEmpty() && operation != m_strOperatingChoice)
    return FALSE;
  const CString size = row.GetSizeCode();
  return size.IsEmpty() || size == GetSizeCode();
}

BOOL CStandardUnit::IsOwnRow(const CStdSizesRec& row) const
{
  return row.GetTypeCode() == GetType() && row.GetSubtypeCode() == GetSubtype();
}

// A size for which the catalogue lists no operating choice is refused as a whole: the unit keeps
// its previous size and choice instead of a size whose choice belongs to another one.
void CStandardUnit::SelectSize(const CStdSizesRec& row)
{
  const CStdSizesRec previous(*m_pCurrentSize);
  const CString previousChoice = m_strOperatingChoice;
  *m_pCurrentSize = row;
  try {
    SizeChanged();
  } catch (...) {
    *m_pCurrentSize = previous;
    m_strOperatingChoice = previousChoice;
    DiscardGeometry();
    UpdateComponentIndices();
    ResetProposedSize();
    throw;
  }
}

// Every setter searches on a copy, so a size the catalogue lacks leaves the unit as it was.
void CStandardUnit::SetSizeCode(const CString& code)
{
  CStdSizesRec probe(*m_pCurrentSize);
  probe.SetSizeCode(code);
  if (probe.Find(1) != 0 || !IsOwnRow(probe) || probe.GetSizeCode() != code)
    throw CUnitException(kModule, kNoSizeCodeLine);
  SelectSize(probe);
}

void CStandardUnit::SetHeight(double height)
{
  CStdSizesRec probe(*m_pCurrentSize);
  probe.SetHeight(static_cast<float>(height));
  if (probe.Find(2) != 0 || !IsOwnRow(probe))
    throw CUnitException(kModule, kNoHeightLine);
  SelectSize(probe);
}

void CStandardUnit::SetWidth(double width)
{
  CStdSizesRec probe(*m_pCurrentSize);
  probe.SetWidth(static_cast<float>(width));
  if (probe.Find(3) != 0 || !IsOwnRow(probe))
    throw CUnitException(kModule, kNoWidthLine);
  SelectSize(probe);
}

void CStandardUnit::SizeChanged()
{
  DiscardGeometry();
  UpdateComponentIndices();
  ResetProposedSize();
  ConformOperatingChoice();
}

void CStandardUnit::UpdateComponentIndices() {}

void CStandardUnit::GetOperationEntities(int /*lines*/, CVRX2DEntityArray& /*out*/) const {}

void CStandardUnit::SetStdSizesKey(const CStdSizesRec& src, float height, float width, CStdSizesRec& dst)
{
  dst = src;
  dst.SetHeight(height);
  dst.SetWidth(width);
}

void CStandardUnit::GetStandardSizes(CStdSizesRecArray& out) const
{
  out.RemoveAll();
  CStdSizesRec cursor(*m_pCurrentSize);
  cursor.SetSizeCode("");
  BOOL atEnd = FALSE;
  for (int rc = cursor.SeekGE(1, &atEnd); rc == 0 && IsOwnRow(cursor); rc = cursor.Next(&atEnd))
    out.Add(new CStdSizesRec(cursor));
  out.FreeExtra();
}

// Widths and heights are single-precision in the catalogue, so they are compared as floats.
void CStandardUnit::GetSizesForHeight(CArray<double, double>& out) const
{
  out.RemoveAll();
  const float width = static_cast<float>(GetWidth());
  CStdSizesRec cursor(*m_pCurrentSize);
  SetStdSizesKey(*m_pCurrentSize, 0.0f, width, cursor);
  BOOL atEnd = FALSE;
  for (int rc = cursor.SeekGE(CStdSizesRec::byWidthHeight, &atEnd);
       rc == 0 && IsOwnRow(cursor) && static_cast<float>(cursor.GetWidth()) == width; rc = cursor.Next(&atEnd))
    out.Add(cursor.GetHeight());
}

void CStandardUnit::GetSizesForWidth(CArray<double, double>& out) const
{
  out.RemoveAll();
  const float height = static_cast<float>(GetHeight());
  CStdSizesRec cursor(*m_pCurrentSize);
  SetStdSizesKey(*m_pCurrentSize, height, 0.0f, cursor);
  BOOL atEnd = FALSE;
  for (int rc = cursor.SeekGE(CStdSizesRec::byHeightWidth, &atEnd);
       rc == 0 && IsOwnRow(cursor) && static_cast<float>(cursor.GetHeight()) == height; rc = cursor.Next(&atEnd))
    out.Add(cursor.GetWidth());
}

void CStandardUnit::SetOperatingChoice(const CString& code)
{
  COperChoiRec row;
  row.SetTypeCode(GetType());
  row.SetSubtypeCode(GetSubtype());
  row.SetSizeCode(GetSizeCode());
  row.SetOperationCode(code);
  if (row.Find(1) != 0 || row.GetOperationCode() != code)
    throw CUnitException(kModule, kNoOperatingChoiceLine);
  m_strOperatingChoice = row.GetOperationCode();
  DiscardGeometry();
}

// A row of another unit or size is not taken: a unit never carries another unit's operation.
void CStandardUnit::SetDefaultOperatingChoice()
{
  COperChoiRec row;
  row.SetTypeCode(GetType());
  row.SetSubtypeCode(GetSubtype());
  row.SetSizeCode(GetSizeCode());
  row.SetOperationCode("");
  BOOL atEnd = FALSE;
  if (row.SeekGE(1, &atEnd) != 0 || atEnd || row.GetTypeCode() != GetType() || row.GetSubtypeCode() != GetSubtype() ||
      row.GetSizeCode() != GetSizeCode())
    throw CUnitException(kModule, kNoDefaultOperatingChoiceLine);
  m_strOperatingChoice = row.GetOperationCode();
}

// Keeps the choice when the new size offers it, else the next code after it, else the first
// code of the size.
void CStandardUnit::ConformOperatingChoice()
{
  COperChoiRec row;
  auto setKey = [&](const CString& code) {
    row.SetTypeCode(GetType());
    row.SetSubtypeCode(GetSubtype());
    row.SetSizeCode(GetSizeCode());
    row.SetOperationCode(code);
  };
  auto ofThisSize = [&]() {
    return row.GetTypeCode() == GetType() && row.GetSubtypeCode() == GetSubtype() && row.GetSizeCode() == GetSizeCode();
  };
  BOOL atEnd = FALSE;
  setKey(m_strOperatingChoice);
  if (row.Find(1) == 0 || (row.SeekGE(1, &atEnd) == 0 && ofThisSize())) {
    m_strOperatingChoice = row.GetOperationCode();
    return;
  }
  setKey("");
  if (row.SeekGE(1, &atEnd) == 0 && ofThisSize()) {
    m_strOperatingChoice = row.GetOperationCode();
    return;
  }
  throw CUnitException(kModule, kNoChoiceForSizeLine);
}

void CStandardUnit::GetOperatingChoices(COpersRecArray& out) const
{
  out.RemoveAll();
  COperChoiRec row;
  row.SetTypeCode(GetType());
  row.SetSubtypeCode(GetSubtype());
  row.SetSizeCode(GetSizeCode());
  row.SetOperationCode("");
  BOOL atEnd = FALSE;
  for (int rc = row.SeekGE(1, &atEnd); rc == 0; rc = row.Next(&atEnd)) {
    if (row.GetTypeCode() != GetType() || row.GetSubtypeCode() != GetSubtype() || row.GetSizeCode() != GetSizeCode())
      break;
    out.Add(new COpersRec(row.GetOperationCode()));
  }
}

BOOL CStandardUnit::GetDraggedSpans(int handle, const CVRX2DVector& drag, double& height, double& width)
{
  CSizingHandleArray handles;
  GetSizingHandles(handles);
  if (handle < 0 || handle > 3 || handles.GetSize() < 4)
    return FALSE;
  auto at = [&handles](int i) { return handles.GetAt(i)->GetPoint(); };
  height = handle < 2 ? at(handle + 2).GetY() - (at(handle).GetY() + drag.GetY()) : at(handle).GetY() + drag.GetY();
  width = (handle == 0 || handle == 3) ? at(std::abs(handle - 2)).GetX() - (at(handle).GetX() + drag.GetX())
                                       : at(handle).GetX() + drag.GetX();
  return TRUE;
}
