#pragma once
// Record objects: an object bound to one table of the product database that selects an index,
// positions itself by key or by step, and copies the record found into its own members.
// The first object of a file opens it and the first object of a table reads its definition;
// later objects share both through process-wide registries.
#include <memory>

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"
#include "productdb/Sdfbytes.h"

struct CSdfIndexDef;
struct CTableSlot;

class CRecObj : public CObject
{
  DECLARE_DYNAMIC(CRecObj)
public:
  enum NavigateMode
  {
    navEqual = 0,
    navNext = 1,
    navPrevious = 2,
    navGreater = 3,
    navGreaterOrEqual = 4,
    navLess = 5,
    navLessOrEqual = 6,
    navFirst = 7,
    navLast = 8
  };

  // Opens (or shares) the file and the table; a leading "~" on the name keeps the whole table
  // in memory. Throws CTXDBException.
  CRecObj(const CString& path, const CString& tableName);
  // Same table and file, same index and position, a key buffer of its own.
  CRecObj(const CRecObj& other);
  // Copies the index and position; both objects must share database and table, else throws.
  CRecObj& operator=(const CRecObj& other);
  ~CRecObj() override;

  // Navigation: 0 on success (the record at the new position was read and unpacked), -1 on
  // failure (members untouched). The end flag is set when a move runs off the index or the
  // table is empty. Among equal keys Find and SeekGE land on the first, SeekLE on the last,
  // SeekGT on the entry after the last and SeekLT on the entry before the first.
  int Find(int index);
  int First(int index);
  int SeekGE(int index, BOOL* atEnd);
  int SeekGT(int index, BOOL* atEnd);
  int SeekLE(int index, BOOL* atEnd);
  int SeekLT(int index, BOOL* atEnd);
  int Next(BOOL* atEnd);
  int Prev(BOOL* atEnd);

  // Field access on a record or key buffer; offsets are 1-based.
  static CString GetString(const BYTE* buffer, int offset, int width);
  static short GetShort(const BYTE* buffer, int offset) { return static_cast<short>(SdfLoadU16(buffer + offset - 1)); }
  static int GetLong(const BYTE* buffer, int offset) { return static_cast<int>(SdfLoadU32(buffer + offset - 1)); }
  static double GetFloat(const BYTE* buffer, int offset) { return SdfLoadFloat(buffer + offset - 1); }
  static double GetDouble(const BYTE* buffer, int offset) { return SdfLoadDouble(buffer + offset - 1); }
  static CTime GetDate(const BYTE* buffer, int offset);
  static int GetLogical(const BYTE* buffer, int offset);
  // Puts on a null buffer do nothing.
  static void PutString(BYTE* buffer, const CString& value, int offset, int width);
  static void PutShort(BYTE* buffer, short value, int offset)
  {
    if (buffer)
      SdfStoreU16(buffer + offset - 1, static_cast<std::uint16_t>(value));
  }
  static void PutLong(BYTE* buffer, int value, int offset)
  {
    if (buffer)
      SdfStoreU32(buffer + offset - 1, static_cast<std::uint32_t>(value));
  }
  static void PutFloat(BYTE* buffer, float value, int offset)
  {
    if (buffer)
      SdfStoreFloat(buffer + offset - 1, value);
  }
  static void PutDouble(BYTE* buffer, double value, int offset)
  {
    if (buffer)
      SdfStoreDouble(buffer + offset - 1, value);
  }
  static void PutLogical(BYTE* buffer, BOOL value, int offset);

  // Gives the registries back so that a test starts with no file open; refused (FALSE) while
  // any record object is alive.
  static BOOL ResetRegistries();
  static int GetOpenDatabaseCount();
  static int GetOpenTableCount();
  // Whether this object's table block is kept in memory.
  BOOL IsTableCached() const;

protected:
  // Copies the fields of the shared record buffer into the members.
  virtual void UnpackRecord() = 0;
  // Clears the key buffer and writes the key parts of the current index from the members.
  virtual void PackKey() = 0;

  // Every search selects its index again; the one in use normally has its key buffer already.
  int SelectIndex(int index)
  {
    if (index == m_currentIndex && index >= 1 && m_keyBufferSize - 10 >= m_keyLength)
      return 0;
    return SelectOtherIndex(index);
  }
  int Navigate(int mode, BOOL* atEnd);
  BYTE* GetRecordBuffer() const { return m_recordBuffer; }
  BYTE* GetKeyBuffer() const { return m_keyBuffer.get(); }
  int GetCurrentIndex() const { return m_currentIndex; }
  void ClearKeyBuffer();

  // Checked reads of the shared record buffer for UnpackRecord: a field that does not lie inside
  // the table's record throws CTXDBException (cause 1). The numbers are read inline: a lookup
  // unpacks a record each time.
  CString ReadString(int offset, int width) const;
  short ReadShort(int offset) const
  {
    CheckRecordField(offset, 2);
    return GetShort(m_recordBuffer, offset);
  }
  int ReadLong(int offset) const
  {
    CheckRecordField(offset, 4);
    return GetLong(m_recordBuffer, offset);
  }
  double ReadFloat(int offset) const
  {
    CheckRecordField(offset, 4);
    return GetFloat(m_recordBuffer, offset);
  }
  double ReadDouble(int offset) const
  {
    CheckRecordField(offset, 8);
    return GetDouble(m_recordBuffer, offset);
  }
  CTime ReadDate(int offset) const;
  int ReadLogical(int offset) const;
  // Checked writes of key parts for PackKey: a part that does not lie inside the current index's
  // key throws CTXDBException (cause 1). Positions are 1-based.
  void PutKeyString(const CString& value, int position, int width);
  void PutKeyShort(short value, int position)
  {
    CheckKeyPart(position, 2);
    PutShort(GetKeyBuffer(), value, position);
  }
  void PutKeyLong(int value, int position)
  {
    CheckKeyPart(position, 4);
    PutLong(GetKeyBuffer(), value, position);
  }
  void PutKeyFloat(float value, int position)
  {
    CheckKeyPart(position, 4);
    PutFloat(GetKeyBuffer(), value, position);
  }
  void PutKeyDouble(double value, int position)
  {
    CheckKeyPart(position, 8);
    PutDouble(GetKeyBuffer(), value, position);
  }
  void PutKeyLogical(BOOL value, int position);

private:
  CTableSlot& Table() const { return *m_pTable; }
  const CSdfIndexDef& CurrentIndex() const;
  void CheckRecordField(int offset, int width) const
  {
    if (offset < 1 || static_cast<long long>(offset) - 1 + width > m_recordLength)
      FieldOutsideRecord();
  }
  // m_keyLength is -1 while no index is selected.
  void CheckKeyPart(int position, int width) const
  {
    if (position < 1 || static_cast<long long>(position) - 1 + width > m_keyLength)
      KeyPartOutsideKey();
  }
  [[noreturn]] static void FieldOutsideRecord();
  [[noreturn]] static void KeyPartOutsideKey();
  void EnsureKeyBuffer(int size);
  int SelectOtherIndex(int index);
  // First position whose record is above the packed key (above) or not below it (!above);
  // `equal` tells, for the latter, whether that record equals the key.
  int Bound(bool above, bool& equal);
  // The position a mode moves to; -1 for a key not found in mode navEqual.
  int TargetPosition(int mode);

  int m_databaseSlot = -1;
  int m_tableSlot = -1;
  CTableSlot* m_pTable = nullptr;  // the slot itself: slots never move while objects use them
  BYTE* m_recordBuffer = nullptr;  // the table's shared record buffer
  int m_recordLength = 0;
  int m_keyLength = -1;  // of the current index
  std::unique_ptr<BYTE[]> m_keyBuffer;
  int m_keyBufferSize = 0;
  int m_currentIndex = -1;
  int m_currentPosition = 0;
};
