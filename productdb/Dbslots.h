#pragma once
// The process-wide registries of open database files and open tables that record objects share.
// Slots fill in order of first use and are never given back while the program runs: a use count
// goes up with every record object made on a slot and down with every one destroyed.
#include <memory>

#include "platform/core/File.h"
#include "productdb/Sdfdef.h"

struct CDatabaseSlot
{
  std::unique_ptr<CFile> file;
  CFileStatus status;  // its full name is the slot's identity
  int useCount = 0;
};

struct CTableSlot
{
  CSdfTableDef definition;
  int databaseSlot = -1;
  std::unique_ptr<BYTE[]> recordBuffer;  // the one record buffer all objects of the table share
  int recordBufferSize = 0;
  std::unique_ptr<BYTE[]> block;         // the whole table block when it is kept in memory
  int useCount = 0;

  // Copies record n into the shared record buffer; n outside the table throws.
  void ReadRecord(int n);
  // Address of record n: in the cached block, or read into the shared record buffer.
  const BYTE* RecordAt(int n);
  // Record number at a position of an index's positions array; checked against the table.
  int GetRecordNumber(const CSdfIndexDef& index, int position);
  // Binary search of the index for a packed key: the first position whose record is above the
  // key (above) or not below it (!above); `equal` tells whether a record equal to the key was met.
  int Bound(const CSdfIndexDef& index, const BYTE* key, bool above, bool& equal);

private:
  CFile& File() const;
  int BoundInMemory(const CSdfIndexDef& index, const BYTE* key, bool above, bool& equal) const;
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
