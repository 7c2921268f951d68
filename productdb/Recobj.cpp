#include "productdb/Recobj.h"

#include <climits>
#include <cstring>
#include <new>

#include "productdb/Dbslots.h"
#include "productdb/Sdfkey.h"
#include "productdb/txdbExcp.h"

IMPLEMENT_DYNAMIC(CRecObj, CObject)

namespace {

constexpr const char* kSource = "Recobj";
constexpr int kLineAssignment = 279;
constexpr int kLineKeyBuffer = 727;
constexpr int kLineMode = 884;

}  // namespace

CRecObj::CRecObj(const CString& path, const CString& tableName)
{
  m_databaseSlot = AcquireDatabaseSlot(path);
  try {
    m_tableSlot = AcquireTableSlot(m_databaseSlot, tableName);
    m_pTable = &TableSlot(m_tableSlot);
  } catch (...) {
    ReleaseDatabaseSlot(m_databaseSlot);
    throw;
  }
  m_recordBuffer = m_pTable->recordBuffer.get();
  m_recordLength = m_pTable->recordBufferSize;
}

CRecObj::CRecObj(const CRecObj& other)
  : CObject(other),
    m_databaseSlot(other.m_databaseSlot),
    m_tableSlot(other.m_tableSlot),
    m_pTable(other.m_pTable),
    m_recordBuffer(other.m_recordBuffer),
    m_recordLength(other.m_recordLength),
    m_keyLength(other.m_keyLength),
    m_currentIndex(other.m_currentIndex),
    m_currentPosition(other.m_currentPosition)
{
  AddDatabaseUse(m_databaseSlot);
  AddTableUse(m_tableSlot);
}

CRecObj& CRecObj::operator=(const CRecObj& other)
{
  if (this == &other)
    return *this;
  if (other.m_databaseSlot != m_databaseSlot || other.m_tableSlot != m_tableSlot)
    throw CTXDBException(kSource, kLineAssignment, CTXDBException::readError);
  m_currentIndex = other.m_currentIndex;
  m_keyLength = other.m_keyLength;
  m_currentPosition = other.m_currentPosition;
  return *this;
}

CRecObj::~CRecObj()
{
  ReleaseDatabaseSlot(m_databaseSlot);
  ReleaseTableSlot(m_tableSlot);
}

const CSdfIndexDef& CRecObj::CurrentIndex() const { return Table().definition.GetIndex(m_currentIndex); }

BOOL CRecObj::IsTableCached() const { return Table().block != nullptr; }

BOOL CRecObj::ResetRegistries() { return ResetDatabaseSlots(); }
int CRecObj::GetOpenDatabaseCount() { return GetDatabaseSlotCount(); }
int CRecObj::GetOpenTableCount() { return GetTableSlotCount(); }

void CRecObj::ClearKeyBuffer()
{
  if (m_keyBuffer)
    std::memset(m_keyBuffer.get(), 0, static_cast<size_t>(m_keyBufferSize));
}

void CRecObj::EnsureKeyBuffer(int size)
{
  if (m_keyBufferSize >= size)
    return;
  m_keyBuffer.reset();
  m_keyBufferSize = 0;
  m_keyBuffer.reset(new (std::nothrow) BYTE[static_cast<size_t>(size)]());
  if (!m_keyBuffer)
    throw CTXDBException(kSource, kLineKeyBuffer, CTXDBException::readError);
  m_keyBufferSize = size;
}

int CRecObj::SelectOtherIndex(int index)
{
  if (index != m_currentIndex)
    m_currentPosition = 0;
  if (index < 1 || index > Table().definition.GetIndexCount()) {
    m_currentIndex = -1;
    m_keyLength = -1;
    return -1;
  }
  m_currentIndex = index;
  m_keyLength = CurrentIndex().keyLength;
  // Room beyond the key, so that a table class's key parts never need a bigger buffer.
  long long size = static_cast<long long>(CurrentIndex().keyLength) + 10;
  if (size > INT_MAX)
    throw CTXDBException(kSource, kLineKeyBuffer, CTXDBException::readError);
  EnsureKeyBuffer(static_cast<int>(size));
  return 0;
}

int CRecObj::Bound(bool above, bool& equal) { return Table().Bound(CurrentIndex(), m_keyBuffer.get(), above, equal); }

int CRecObj::TargetPosition(int mode)
{
  bool equal = false;
  switch (mode) {
  case navEqual: {
    // A key that is there is found at its lower bound.
    int position = Bound(false, equal);
    return equal ? position : -1;
  }
  case navNext:
    return m_currentPosition + 1;
  case navPrevious:
    return m_currentPosition - 1;
  case navGreater:
    return Bound(true, equal);
  case navGreaterOrEqual:
    return Bound(false, equal);
  case navLess:
    return Bound(false, equal) - 1;
  case navLessOrEqual:
    return Bound(true, equal) - 1;
  case navFirst:
    return 0;
  default:
    return Table().definition.header.recordCount - 1;
  }
}

int CRecObj::Navigate(int mode, BOOL* atEnd)
{
  BOOL ignored = FALSE;
  if (!atEnd)
    atEnd = &ignored;
  *atEnd = FALSE;
  CTableSlot& table = Table();
  int count = table.definition.header.recordCount;
  if (count == 0) {
    *atEnd = TRUE;
    return -1;
  }
  if (mode < navEqual || mode > navLast)
    throw CTXDBException(kSource, kLineMode, CTXDBException::readError);
  if (m_currentIndex < 1)
    return -1;
  if (mode != navNext && mode != navPrevious && mode != navFirst && mode != navLast)
    EnsureKeyBuffer(CurrentIndex().keyLength);
  int position = TargetPosition(mode);
  if (mode == navEqual && position < 0)
    return -1;
  if (position < 0 || position >= count) {
    *atEnd = TRUE;
    return -1;
  }
  table.ReadRecord(table.GetRecordNumber(CurrentIndex(), position));
  m_currentPosition = position;
  UnpackRecord();
  return 0;
}

int CRecObj::Find(int index)
{
  if (SelectIndex(index) != 0)
    return -1;
  PackKey();
  BOOL atEnd = FALSE;
  return Navigate(navEqual, &atEnd);
}

int CRecObj::First(int index)
{
  if (SelectIndex(index) != 0)
    return -1;
  BOOL atEnd = FALSE;
  return Navigate(navFirst, &atEnd);
}

int CRecObj::SeekGE(int index, BOOL* atEnd)
{
  if (SelectIndex(index) != 0)
    return -1;
  PackKey();
  return Navigate(navGreaterOrEqual, atEnd);
}

int CRecObj::SeekGT(int index, BOOL* atEnd)
{
  if (atEnd)
    *atEnd = FALSE;
  if (SelectIndex(index) != 0)
    return -1;
  PackKey();
  return Navigate(navGreater, atEnd);
}

int CRecObj::SeekLE(int index, BOOL* atEnd)
{
  if (SelectIndex(index) != 0)
    return -1;
  PackKey();
  return Navigate(navLessOrEqual, atEnd);
}

int CRecObj::SeekLT(int index, BOOL* atEnd)
{
  if (SelectIndex(index) != 0)
    return -1;
  PackKey();
  return Navigate(navLess, atEnd);
}

int CRecObj::Next(BOOL* atEnd) { return Navigate(navNext, atEnd); }

int CRecObj::Prev(BOOL* atEnd) { return Navigate(navPrevious, atEnd); }
