#pragma once
// Writer of the product database file (the table store read by productdb): table layouts and rows
// in, one file out. The sample catalogue's generator builds TXDB.SDF with it, and tests build
// their own small, odd or damaged files with it.
//
// File produced (all integers little-endian):
//   magic 00 00 00 40, then one block per table, in the order the tables were added, each block
//   chained to the next by its header. A block holds, from its start: the 60-byte header, one
//   12-byte descriptor per field (type, 0-based offset, width), the index descriptors (16-byte
//   name, positions offset, key length, part count, parts), one positions array per index
//   (record count u32 record numbers in ascending key order), then the records in the order
//   the rows were added. Nothing is padded or aligned.
//
// Every positions array is sorted with the reader's own key comparison (productdb/Sdfkey.h), by
// a stable sort: rows with equal keys keep the order in which they were added.
//
// Usage:
//   SdfTableLayout layout;
//   layout.name = "OPERS";
//   layout.recordLength = 26;
//   layout.fields = {{"CODE", SdfFieldKind::Text, 1, 4}, {"DESCRIPTION", SdfFieldKind::Text, 5, 22}};
//   layout.indexes = {{"CODE", {layout.KeyPartOf("CODE")}}};
//   CTableWriter writer;
//   int opers = writer.AddTable(layout);
//   writer.AddRow(opers, CSdfRow().Set("CODE", "FV").Set("DESCRIPTION", "Fixed over vent"));
//   writer.WriteFile("/tmp/db/TXDB.SDF");
//
// Every failure (a bad layout, an unknown field name, a value that does not fit its field)
// throws CTableWriterException whose message names the table, the row and the field; nothing is
// written then.
#include <variant>
#include <vector>

#include "platform/core/String.h"
#include "support/ComExcpt.h"

// What a field holds and how a value is encoded into the record.
enum class SdfFieldKind
{
  Text,    // width bytes: the text's bytes (Windows-1252), NUL-padded; longer than width fails
  Short,   // 2 bytes, signed
  Long,    // 4 bytes, signed
  Float,   // 4 bytes, IEEE single
  Double,  // 8 bytes, IEEE double
  Date,    // 6 bytes: year - 1900, month, day, hour, minute, second
  Logical  // 2 bytes: 0xFFFF true, 0 false
};

// Width in bytes a kind requires; 0 for text (any width of 1 or more).
int SdfFieldWidth(SdfFieldKind kind);

struct SdfFieldLayout
{
  CString name;  // the name rows use; matched case-insensitively; unique within the table
  SdfFieldKind kind = SdfFieldKind::Text;
  int offset = 1;  // 1-based byte offset in the record, as the record classes address fields
  int width = 0;   // bytes; must equal SdfFieldWidth(kind) for every kind but text
};

// One part of an index key. Parts are given explicitly (not by field name) so that tests can
// describe any key; SdfTableLayout::KeyPartOf builds the usual part for a field.
struct SdfKeyPartLayout
{
  int type = 0;    // key-part type code (SdfKeyType in productdb/Sdfkey.h); must be comparable
  int offset = 0;  // 0-based byte offset of the field in the record
  int length = 0;  // the field's width in bytes; 1 or more, inside the record
};

struct SdfIndexLayout
{
  CString name;                         // at most 15 bytes (stored NUL-padded in 16)
  std::vector<SdfKeyPartLayout> parts;  // 1 to 10; the key length is their sum
};

struct SdfTableLayout
{
  CString name;                         // 1 to 31 bytes (stored NUL-terminated in 32)
  int recordLength = 0;                 // bytes per record, 1 or more
  std::vector<SdfFieldLayout> fields;   // 0 to 30; must not overlap and must lie inside the record
  std::vector<SdfIndexLayout> indexes;  // 0 to 10; numbered from 1 in this order

  // The field of that name (case-insensitive), or null.
  const SdfFieldLayout* FindField(const char* fieldName) const;
  // The key part for a named field: its 0-based offset, its width and the type code of its
  // kind (text 8, short 3, long 4, float 6, double 7, logical 1). Throws for an unknown name
  // and for a date field, which has no comparable type.
  SdfKeyPartLayout KeyPartOf(const char* fieldName) const;
};

// A date field's value; the reader turns it into a local time.
struct SdfDate
{
  int year = 1900;  // 1900 to 2155
  int month = 1;    // 1 to 12
  int day = 1;      // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// One row: values by field name. A field the row does not set is all zero bytes in the record
// (empty text, 0, 0.0, FALSE). Setting a field twice keeps the last value.
class CSdfRow
{
public:
  // A value as text, converted by the field's kind when the record is packed:
  //   text      the bytes as they stand (Windows-1252); may be shorter than the width
  //   short     decimal integer within -32768..32767; surrounding blanks allowed
  //   long      decimal integer within the signed 32-bit range
  //   float     decimal number in the "C" locale ("72.5"), finite and within single range
  //   double    decimal number in the "C" locale, finite
  //   date      "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS"
  //   logical   1/0, TRUE/FALSE, T/F, YES/NO, Y/N (any case)
  // An empty or all-blank text gives the zero value of every kind.
  CSdfRow& Set(const char* field, const CString& text);
  // Typed values; the field's kind must match: integers for short and long, reals for float and
  // double (an integer is accepted there too), logicals and dates for their own kinds.
  CSdfRow& SetInt(const char* field, long long value);
  CSdfRow& SetReal(const char* field, double value);
  CSdfRow& SetLogical(const char* field, bool value);
  CSdfRow& SetDate(const char* field, const SdfDate& value);

  using Value = std::variant<CString, long long, double, bool, SdfDate>;
  struct Entry
  {
    CString field;
    Value value;
  };
  const std::vector<Entry>& GetEntries() const { return m_entries; }

private:
  CSdfRow& Put(const char* field, Value value);

  std::vector<Entry> m_entries;
};

// Where the parts of one table ended up in the file, so tests can damage a chosen spot.
// Offsets named "relative" count from the table start, as the header's own offsets do.
struct SdfTablePlacement
{
  CString name;
  long long start = 0;                      // absolute offset of the header
  long long end = 0;                        // absolute offset of the block's last byte
  int fieldDescriptorsOffset = 0;           // relative; the first field descriptor
  std::vector<int> indexDescriptorOffsets;  // relative; one per index
  std::vector<int> positionsOffsets;        // relative; one per index
  int dataOffset = 0;                       // relative; record 0
  int recordCount = 0;
  int recordLength = 0;
};

struct SdfImage
{
  std::vector<BYTE> bytes;                // the whole file
  std::vector<SdfTablePlacement> tables;  // in file order
};

class CTableWriter
{
public:
  // Checks the layout and adds an empty table; tables are written and chained in the order
  // added. Returns the table's number for AddRow and AddRecord. Two tables may share a name
  // (the reader uses the first).
  int AddTable(const SdfTableLayout& layout);
  // Packs the row into a record at once, so a bad value fails here, naming the row.
  void AddRow(int table, const CSdfRow& row);
  // Adds a record given as raw bytes; it must be exactly the record length.
  void AddRecord(int table, const std::vector<BYTE>& record);

  int GetTableCount() const { return static_cast<int>(m_tables.size()); }
  const SdfTableLayout& GetLayout(int table) const;
  int GetRowCount(int table) const;

  // Sorts the positions arrays and lays the file out in memory.
  SdfImage Build() const;
  // Builds and writes the file through a temporary file in the same folder that is renamed over
  // the target only when complete; on failure the target is left as it was.
  void WriteFile(const CString& path) const;

  // Packs one row into a record of the layout (record length bytes).
  static std::vector<BYTE> PackRecord(const SdfTableLayout& layout, const CSdfRow& row);
  // Checks a layout as AddTable does.
  static void CheckLayout(const SdfTableLayout& layout);

private:
  struct Table
  {
    SdfTableLayout layout;
    std::vector<std::vector<BYTE>> records;
  };
  Table& TableAt(int table);
  const Table& TableAt(int table) const;
  static void WriteTable(const Table& table, const SdfTablePlacement& place, DWORD next, BYTE* block);

  std::vector<Table> m_tables;
};

// The writer's only exception: the message says what was wrong and where.
class CTableWriterException : public CCommonException
{
  DECLARE_DYNAMIC(CTableWriterException)
public:
  CTableWriterException(const char* file, int line, const CString& text);
};
