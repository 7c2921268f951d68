#pragma once
// The process-wide registries of open database files and open tables that record objects share.
// Slots fill in order of first use and are never given back while the program runs: a use count
// goes up with every record object made on a slot and down with every one destroyed.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/File.h"
#include "productdb/Sdfcache.h"
#include "productdb/Sdfdef.h"

struct CDatabaseSlot
{
  std::unique_ptr<CFile> file;
  CFileStatus status;  // its full name is the slot's identity
  // The absolute path it was opened by: asked again by that path, the slot is found without a
  // file-system lookup (every record object asks when it is made).
  CString openedAs;
  int useCount = 0;
};

// The keys of one index of a table kept in memory in their normal form, in index order: a
// search compares plain numbers (keys of up to 8 bytes) or plain bytes in one array.
struct CNormalKeys
{
  enum State
  {
    notMade,
    ready,
    unavailable  // a part without normal form, a NaN in the table, or no memory
  };
  State state = notMade;
  int length = 0;                    // of one key
  std::vector<std::uint64_t> words;  // keys of up to 8 bytes, big-endian, as numbers
  std::vector<BYTE> bytes;           // longer keys, `length` bytes each
  std::vector<BYTE> query;           // the searched key's normal form, for longer keys
};

struct CTableSlot
{
  CSdfTableDef definition;
  int databaseSlot = -1;
  std::unique_ptr<BYTE[]> recordBuffer;  // the one record buffer all objects of the table share
  int recordBufferSize = 0;
  std::unique_ptr<BYTE[]> block;           // the whole table block when it is kept in memory
  CSdfBlockCache pages;                    // otherwise the pages of it that searches read
  CNormalKeys normalKeys[kSdfMaxIndexes];  // per index of a block in memory, made at its first search
  int useCount = 0;

  // Copies record n into the shared record buffer; n outside the table throws.
  void ReadRecord(int n);
  // Address of record n, valid until the next read of the table: in the block, in a cached page,
  // or gathered into the shared record buffer.
  const BYTE* RecordAt(int n);
  // Record number at a position of an index's positions array; checked against the table.
  int GetRecordNumber(const CSdfIndexDef& index, int position);
  // Binary search of the index for a packed key: the first position whose record is above the
  // key (above) or not below it (!above); for the latter `equal` tells whether that record
  // equals the key.
  int Bound(const CSdfIndexDef& index, const BYTE* key, bool above, bool& equal);

private:
  // Makes the normal keys of the index when first asked for; false when they cannot be made.
  bool MakeNormalKeys(const CSdfIndexDef& index, CNormalKeys& normal);
};

constexpr int kMaxDatabaseSlots = 5;
constexpr int kMaxTableSlots = 30;

// Finds or opens the database file of that path; one more use. Throws CTXDBException.
int AcquireDatabaseSlot(const CString& path);
// Finds or opens the table of the database; a leading "~" keeps the whole table in memory.
int AcquireTableSlot(int databaseSlot, const CString& tableName);
void AddDatabaseUse(int slot);
void AddTableUse(int slot);
// A release below zero is traced and ignored: it happens in destructors, which must not throw.
void ReleaseDatabaseSlot(int slot);
void ReleaseTableSlot(int slot);

CTableSlot& TableSlot(int slot);
int GetDatabaseSlotCount();
int GetTableSlotCount();
// Closes every file and frees every table so that a test starts fresh; refused (FALSE) while
// any slot is in use.
BOOL ResetDatabaseSlots();
