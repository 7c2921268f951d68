#include "productdata/TableWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <cstdio>
#include <numeric>

#include "platform/core/File.h"

#include "productdata/RowEncoder.h"
#include "productdb/Sdfbytes.h"
#include "productdb/Sdfdef.h"
#include "productdb/Sdfkey.h"

IMPLEMENT_DYNAMIC(CTableWriterException, CCommonException)

namespace {

constexpr const char* kSource = "TableWriter";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineFieldWithoutName = 36,
  kLineWidthForKind = 39,
  kLineFieldOutside = 41,
  kLineFieldTwice = 52,
  kLineFieldsOverlap = 54,
  kLineIndexNameLength = 63,
  kLineKeyPartCount = 65,
  kLineKeyPartType = 68,
  kLineKeyPartOutside = 71,
  kLineNoSuchKeyField = 178,
  kLineDateKeyPart = 181,
  kLineTableNameLength = 206,
  kLineRecordLength = 208,
  kLineTooManyFields = 210,
  kLineTooManyIndexes = 212,
  kLineNoSuchTable = 235,
  kLineNoSuchRowField = 249,
  kLineRowFieldRefused = 252,
  kLineRowRefused = 264,
  kLineRawRecordLength = 272,
  kLineFileTooLarge = 304,
  kLineCannotWrite = 354,
  kLineCannotReplace = 358,
};

[[noreturn]] void Fail(int line, const CString& text) { throw CTableWriterException(kSource, line, text); }

CString TableText(const SdfTableLayout& layout) { return "Table " + layout.name + ": "; }

void CheckField(const SdfTableLayout& layout, const SdfFieldLayout& field)
{
  CString where = TableText(layout) + "field " + field.name + ": ";
  if (field.name.IsEmpty())
    Fail(kLineFieldWithoutName, TableText(layout) + "a field has no name.");
  int required = SdfFieldWidth(field.kind);
  if (required ? field.width != required : field.width < 1)
    Fail(kLineWidthForKind, where + CString::Formatted("width %d does not suit its kind.", field.width));
  if (field.offset < 1 || static_cast<long long>(field.offset) - 1 + field.width > layout.recordLength)
    Fail(kLineFieldOutside, where + CString::Formatted("offset %d, width %d lies outside the record of %d bytes.",
                                                       field.offset, field.width, layout.recordLength));
}

void CheckFieldsApart(const SdfTableLayout& layout)
{
  for (size_t i = 0; i < layout.fields.size(); ++i) {
    for (size_t j = i + 1; j < layout.fields.size(); ++j) {
      const SdfFieldLayout& a = layout.fields[i];
      const SdfFieldLayout& b = layout.fields[j];
      if (a.name.CompareNoCase(b.name) == 0)
        Fail(kLineFieldTwice, TableText(layout) + "field " + a.name + " is named twice.");
      if (a.offset < b.offset + b.width && b.offset < a.offset + a.width)
        Fail(kLineFieldsOverlap, TableText(layout) + "fields " + a.name + " and " + b.name + " overlap.");
    }
  }
}

void CheckIndex(const SdfTableLayout& layout, const SdfIndexLayout& index)
{
  CString where = TableText(layout) + "index " + index.name + ": ";
  if (index.name.GetLength() >= kSdfIndexNameSize)
    Fail(kLineIndexNameLength, where + "the name is longer than 15 bytes.");
  if (index.parts.empty() || index.parts.size() > static_cast<size_t>(kSdfMaxKeyParts))
    Fail(kLineKeyPartCount, where + "an index needs 1 to 10 key parts.");
  for (const SdfKeyPartLayout& part : index.parts) {
    if (!IsComparableKeyType(part.type))
      Fail(kLineKeyPartType, where + CString::Formatted("key-part type %d cannot be compared.", part.type));
    if (part.length < std::max(1, KeyTypeWidth(part.type)) || part.offset < 0 ||
        static_cast<long long>(part.offset) + part.length > layout.recordLength)
      Fail(kLineKeyPartOutside, where + CString::Formatted("key part at offset %d, length %d does not fit the record.",
                                                           part.offset, part.length));
  }
}

// The reader's own index definition, so the sort uses exactly the reader's comparison.
CSdfIndexDef ToIndexDef(const SdfIndexLayout& index)
{
  CSdfIndexDef def;
  def.keyPartCount = static_cast<int>(index.parts.size());
  for (int k = 0; k < def.keyPartCount; ++k) {
    const SdfKeyPartLayout& part = index.parts[static_cast<size_t>(k)];
    def.keyParts[k] = {part.type, part.offset, part.length};
    def.keyLength += part.length;
  }
  return def;
}

std::vector<DWORD> SortedPositions(const SdfIndexLayout& index, const std::vector<std::vector<BYTE>>& records)
{
  CSdfIndexDef def = ToIndexDef(index);
  std::vector<std::vector<BYTE>> keys(records.size(), std::vector<BYTE>(static_cast<size_t>(def.keyLength)));
  for (size_t i = 0; i < records.size(); ++i)
    PackKeyFromRecord(def, records[i].data(), keys[i].data());
  std::vector<DWORD> positions(records.size());
  std::iota(positions.begin(), positions.end(), 0u);
  std::stable_sort(positions.begin(), positions.end(),
                   [&](DWORD a, DWORD b) { return CompareRecordWithKey(def, records[a].data(), keys[b].data()) < 0; });
  return positions;
}

void PutName(BYTE* target, const CString& name, int size)
{
  std::copy_n(name.c_str(), std::min(name.GetLength(), size - 1), target);
}

// Field descriptors are informational; the key-part codes serve, and 9 marks a date.
int FieldTypeCode(SdfFieldKind kind)
{
  static constexpr int kCodes[] = {sdfKeyText, sdfKeyShort, sdfKeyLong, sdfKeyFloat, sdfKeyDouble, 9, sdfKeyLogical};
  return kCodes[static_cast<int>(kind)];
}

void WriteIndex(const SdfIndexLayout& index, int positionsOffset, const std::vector<DWORD>& positions, BYTE* descriptor,
                BYTE* block)
{
  PutName(descriptor, index.name, kSdfIndexNameSize);
  int keyLength = 0;
  for (const SdfKeyPartLayout& part : index.parts)
    keyLength += part.length;
  SdfStoreU32(descriptor + 16, static_cast<DWORD>(positionsOffset));
  SdfStoreU32(descriptor + 20, static_cast<DWORD>(keyLength));
  SdfStoreU32(descriptor + 24, static_cast<DWORD>(index.parts.size()));
  BYTE* p = descriptor + kSdfIndexHeadSize;
  for (const SdfKeyPartLayout& part : index.parts) {
    SdfStoreU32(p, static_cast<DWORD>(part.type));
    SdfStoreU32(p + 4, static_cast<DWORD>(part.offset));
    SdfStoreU32(p + 8, static_cast<DWORD>(part.length));
    p += kSdfFieldDefSize;
  }
  BYTE* target = block + positionsOffset;
  for (DWORD position : positions) {
    SdfStoreU32(target, position);
    target += 4;
  }
}

}  // namespace

CTableWriterException::CTableWriterException(const char* sourceFile, int sourceLine, const CString& text)
  : CCommonException(sourceFile, sourceLine)
{
  SetDescription(text);
}

int SdfFieldWidth(SdfFieldKind kind)
{
  switch (kind) {
  case SdfFieldKind::Short:
  case SdfFieldKind::Logical:
    return 2;
  case SdfFieldKind::Long:
  case SdfFieldKind::Float:
    return 4;
  case SdfFieldKind::Double:
    return 8;
  case SdfFieldKind::Date:
    return 6;
  case SdfFieldKind::Text:
    break;
  }
  return 0;
}

const SdfFieldLayout* SdfTableLayout::FindField(const char* fieldName) const
{
  for (const SdfFieldLayout& field : fields)
    if (field.name.CompareNoCase(fieldName) == 0)
      return &field;
  return nullptr;
}

SdfKeyPartLayout SdfTableLayout::KeyPartOf(const char* fieldName) const
{
  const SdfFieldLayout* field = FindField(fieldName);
  if (!field)
    Fail(kLineNoSuchKeyField, TableText(*this) + "no field named " + fieldName + ".");
  int type = FieldTypeCode(field->kind);
  if (field->kind == SdfFieldKind::Date)
    Fail(kLineDateKeyPart, TableText(*this) + "date field " + field->name + " cannot be a key part.");
  return {type, field->offset - 1, field->width};
}

CSdfRow& CSdfRow::Put(const char* field, Value value)
{
  for (Entry& entry : m_entries) {
    if (entry.field.CompareNoCase(field) == 0) {
      entry.value = std::move(value);
      return *this;
    }
  }
  m_entries.push_back({CString(field), std::move(value)});
  return *this;
}

CSdfRow& CSdfRow::Set(const char* field, const CString& text) { return Put(field, text); }
CSdfRow& CSdfRow::SetInt(const char* field, long long value) { return Put(field, value); }
CSdfRow& CSdfRow::SetReal(const char* field, double value) { return Put(field, value); }
CSdfRow& CSdfRow::SetLogical(const char* field, bool value) { return Put(field, value); }
CSdfRow& CSdfRow::SetDate(const char* field, const SdfDate& value) { return Put(field, value); }

void CTableWriter::CheckLayout(const SdfTableLayout& layout)
{
  if (layout.name.IsEmpty() || layout.name.GetLength() >= kSdfTableNameSize)
    Fail(kLineTableNameLength, "Table '" + layout.name + "': a table name has 1 to 31 bytes.");
  if (layout.recordLength < 1)
    Fail(kLineRecordLength, TableText(layout) + "the record length must be 1 or more.");
  if (layout.fields.size() > static_cast<size_t>(kSdfMaxFields))
    Fail(kLineTooManyFields, TableText(layout) + "more than 30 fields.");
  if (layout.indexes.size() > static_cast<size_t>(kSdfMaxIndexes))
    Fail(kLineTooManyIndexes, TableText(layout) + "more than 10 indexes.");
  for (const SdfFieldLayout& field : layout.fields)
    CheckField(layout, field);
  CheckFieldsApart(layout);
  for (const SdfIndexLayout& index : layout.indexes)
    CheckIndex(layout, index);
}

int CTableWriter::AddTable(const SdfTableLayout& layout)
{
  CheckLayout(layout);
  m_tables.push_back({layout, {}});
  return GetTableCount() - 1;
}

CTableWriter::Table& CTableWriter::TableAt(int table)
{
  return const_cast<Table&>(static_cast<const CTableWriter*>(this)->TableAt(table));
}

const CTableWriter::Table& CTableWriter::TableAt(int table) const
{
  if (table < 0 || table >= GetTableCount())
    Fail(kLineNoSuchTable, CString::Formatted("There is no table number %d.", table));
  return m_tables[static_cast<size_t>(table)];
}

const SdfTableLayout& CTableWriter::GetLayout(int table) const { return TableAt(table).layout; }

int CTableWriter::GetRowCount(int table) const { return static_cast<int>(TableAt(table).records.size()); }

std::vector<BYTE> CTableWriter::PackRecord(const SdfTableLayout& layout, const CSdfRow& row)
{
  std::vector<BYTE> record(static_cast<size_t>(std::max(layout.recordLength, 0)));
  for (const CSdfRow::Entry& entry : row.GetEntries()) {
    const SdfFieldLayout* field = layout.FindField(entry.field);
    if (!field)
      Fail(kLineNoSuchRowField, TableText(layout) + "no field named " + entry.field + ".");
    CString error = EncodeFieldValue(*field, entry.value, record.data() + field->offset - 1);
    if (!error.IsEmpty())
      Fail(kLineRowFieldRefused, TableText(layout) + "field " + field->name + ": " + error);
  }
  return record;
}

void CTableWriter::AddRow(int table, const CSdfRow& row)
{
  Table& target = TableAt(table);
  try {
    target.records.push_back(PackRecord(target.layout, row));
  } catch (CTableWriterException& e) {
    CString text = e.message + CString::Formatted(" (row %d)", static_cast<int>(target.records.size()) + 1);
    Fail(kLineRowRefused, text);
  }
}

void CTableWriter::AddRecord(int table, const std::vector<BYTE>& record)
{
  Table& target = TableAt(table);
  if (record.size() != static_cast<size_t>(target.layout.recordLength))
    Fail(kLineRawRecordLength,
         TableText(target.layout) + CString::Formatted("a raw record of %d bytes for records of %d.",
                                                       static_cast<int>(record.size()), target.layout.recordLength));
  target.records.push_back(record);
}

SdfImage CTableWriter::Build() const
{
  SdfImage image;
  image.bytes.resize(4);
  SdfStoreU32(image.bytes.data(), kSdfMagic);
  for (const Table& table : m_tables) {
    const SdfTableLayout& layout = table.layout;
    SdfTablePlacement place;
    place.name = layout.name;
    place.start = static_cast<long long>(image.bytes.size());
    place.recordCount = static_cast<int>(table.records.size());
    place.recordLength = layout.recordLength;
    place.fieldDescriptorsOffset = kSdfHeaderSize;
    long long offset = kSdfHeaderSize + kSdfFieldDefSize * static_cast<long long>(layout.fields.size());
    for (const SdfIndexLayout& index : layout.indexes) {
      place.indexDescriptorOffsets.push_back(static_cast<int>(offset));
      offset += kSdfIndexHeadSize + kSdfFieldDefSize * static_cast<long long>(index.parts.size());
    }
    for (size_t i = 0; i < layout.indexes.size(); ++i) {
      place.positionsOffsets.push_back(static_cast<int>(offset));
      offset += 4LL * place.recordCount;
    }
    place.dataOffset = static_cast<int>(offset);
    offset += static_cast<long long>(place.recordCount) * layout.recordLength;
    place.end = place.start + offset - 1;
    if (place.end > std::numeric_limits<std::int32_t>::max())
      Fail(kLineFileTooLarge, TableText(layout) + "the file would outgrow the format's 2 GB of offsets.");
    image.tables.push_back(place);
    image.bytes.resize(static_cast<size_t>(place.end + 1));
  }
  for (size_t t = 0; t < m_tables.size(); ++t) {
    DWORD next = t + 1 < m_tables.size() ? static_cast<DWORD>(image.tables[t + 1].start) : kSdfEndOfChain;
    WriteTable(m_tables[t], image.tables[t], next, image.bytes.data() + image.tables[t].start);
  }
  return image;
}

void CTableWriter::WriteTable(const Table& table, const SdfTablePlacement& place, DWORD next, BYTE* block)
{
  const SdfTableLayout& layout = table.layout;
  PutName(block, layout.name, kSdfTableNameSize);
  SdfStoreU32(block + 32, static_cast<DWORD>(place.end));
  SdfStoreU32(block + 36, next);
  SdfStoreU32(block + 40, static_cast<DWORD>(place.recordCount));
  SdfStoreU32(block + 44, static_cast<DWORD>(place.dataOffset));
  SdfStoreU32(block + 48, static_cast<DWORD>(layout.recordLength));
  SdfStoreU32(block + 52, static_cast<DWORD>(layout.fields.size()));
  SdfStoreU32(block + 56, static_cast<DWORD>(layout.indexes.size()));
  BYTE* p = block + place.fieldDescriptorsOffset;
  for (const SdfFieldLayout& field : layout.fields) {
    SdfStoreU32(p, static_cast<DWORD>(FieldTypeCode(field.kind)));
    SdfStoreU32(p + 4, static_cast<DWORD>(field.offset - 1));
    SdfStoreU32(p + 8, static_cast<DWORD>(field.width));
    p += kSdfFieldDefSize;
  }
  for (size_t i = 0; i < layout.indexes.size(); ++i)
    WriteIndex(layout.indexes[i], place.positionsOffsets[i], SortedPositions(layout.indexes[i], table.records),
               block + place.indexDescriptorOffsets[i], block);
  BYTE* data = block + place.dataOffset;
  for (const std::vector<BYTE>& record : table.records) {
    std::copy(record.begin(), record.end(), data);
    data += record.size();
  }
}

void CTableWriter::WriteFile(const CString& path) const
{
  SdfImage image = Build();
  CString temporary = path + ".part";
  try {
    CFile file(temporary, CFile::modeCreate | CFile::modeWrite);
    file.Write(image.bytes.data(), static_cast<UINT>(image.bytes.size()));
    file.Sync();
    file.Close();
  } catch (CFileException& e) {
    std::remove(temporary.ToUtf8().c_str());
    Fail(kLineCannotWrite, "Cannot write " + path + ": " + e.GetErrorMessage());
  }
  if (std::rename(temporary.ToUtf8().c_str(), path.ToUtf8().c_str()) != 0) {
    std::remove(temporary.ToUtf8().c_str());
    Fail(kLineCannotReplace, "Cannot replace " + path + ".");
  }
}
