#pragma once
// Definitions of the tables of the product database file: the table header, the field and index
// descriptors, and the reader that finds a table by name and loads and checks its definition.
#include "platform/core/String.h"

class CFile;

constexpr DWORD kSdfMagic = 0x40000000u;
constexpr DWORD kSdfEndOfChain = 0xFFFFFFFFu;
constexpr int kSdfHeaderSize = 60;
constexpr int kSdfTableNameSize = 32;
constexpr int kSdfFieldDefSize = 12;
constexpr int kSdfIndexNameSize = 16;
constexpr int kSdfIndexHeadSize = 28;
constexpr int kSdfMaxFields = 30;
constexpr int kSdfMaxIndexes = 10;
constexpr int kSdfMaxKeyParts = 10;

// A field descriptor; a key part has the same three words (type, 0-based offset, length).
struct CSdfFieldDef
{
  int type = 0;
  int offset = 0;
  int length = 0;
};

struct CSdfTableHeader
{
  char name[kSdfTableNameSize] = {};
  int endOffset = 0;     // absolute offset of the block's last byte
  DWORD nextHeader = 0;  // absolute offset of the next header, kSdfEndOfChain at the end
  int recordCount = 0;
  int dataOffset = 0;  // relative to the table start
  int recordLength = 0;
  int fieldCount = 0;
  int indexCount = 0;

  // Decodes the 60 bytes of a header.
  void Parse(const BYTE* bytes);
  // The name up to its first NUL (at most 32 bytes).
  CString GetName() const;
};

struct CSdfIndexDef
{
  char name[kSdfIndexNameSize] = {};
  int positionsOffset = 0;  // relative to the table start
  int keyLength = 0;        // sum of the part lengths
  int keyPartCount = 0;
  CSdfFieldDef keyParts[kSdfMaxKeyParts];
};

class CSdfTableDef
{
public:
  // Finds the table (names compared without case; the first in chain order wins) and reads its
  // header and descriptors. Everything is checked against the file before it is used: the
  // block, the records area and every positions array must lie where they can be read, every
  // key part inside the record, and no record may be longer than the file, even in a table
  // without records. Any violation throws CTXDBException (cause 1).
  void Load(CFile& file, const char* tableName);
  // The same for the table whose header starts at that absolute offset.
  void LoadAt(CFile& file, long long start);
  // Absolute offset of the header of the named table.
  static long long FindTable(CFile& file, const char* tableName);
  // The file starts with the magic word; a file too short to hold it fails the same way.
  static void CheckMagic(CFile& file);

  // Reads exactly `count` bytes at `offset`; a short read or a file error throws CTXDBException
  // (cause 1) naming the given source and line.
  static void ReadAt(CFile& file, long long offset, void* buffer, long long count, const char* sourceFile, int line);

  long long GetBlockSize() const { return static_cast<long long>(header.endOffset) - tableStart + 1; }
  int GetIndexCount() const { return header.indexCount; }
  // Index by 1-based number; the caller checks the range.
  const CSdfIndexDef& GetIndex(int number) const { return indexes[number - 1]; }

  CSdfTableHeader header;
  CSdfFieldDef fields[kSdfMaxFields];
  CSdfIndexDef indexes[kSdfMaxIndexes];
  long long tableStart = 0;

private:
  void ReadFields(CFile& file, long long& position);
  void ReadIndexes(CFile& file, long long& position);
  void CheckCounts() const;
  void CheckBlock(long long fileLength, long long descriptorsEnd) const;
  void CheckIndex(const CSdfIndexDef& index) const;
};
