// Guards the field encodings of records and keys: text trimming and NUL stop, signed numbers,
// the six-byte date, logicals, the padding of put texts, and the database exception's texts.
#include <gtest/gtest.h>

#include <vector>

#include "productdb/Recobj.h"
#include "productdb/txdbExcp.h"

namespace {

CString Text(std::vector<BYTE> bytes) { return CRecObj::GetString(bytes.data(), 1, static_cast<int>(bytes.size())); }

TEST(RecfieldTest, TextsStopAtNulAndLoseTrailingBlanksAndControlsOnly)
{
  EXPECT_EQ(Text({'A', 'B', ' ', ' '}), CString("AB"));
  EXPECT_EQ(Text({'A', 'B', 'C', 'D'}), CString("ABCD"));  // filled to its width, no NUL
  EXPECT_EQ(Text({'A', 'B', 0, 'C'}), CString("AB"));
  EXPECT_EQ(Text({'A', ' ', 'B', '\t', 0x01}), CString("A B"));
  // An accented last letter stays.
  EXPECT_EQ(Text({'C', 'a', 'f', 0xE9}), CString("Caf\xE9"));
  EXPECT_EQ(Text({' ', ' '}), CString(""));
  const BYTE record[] = {'X', 'Y', 'Z', 'W'};
  EXPECT_EQ(CRecObj::GetString(record, 2, 2), CString("YZ"));
  EXPECT_EQ(CRecObj::GetString(nullptr, 1, 4), CString(""));
}

TEST(RecfieldTest, NumbersAreLittleEndianAndSigned)
{
  const BYTE record[] = {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x91, 0x42, 0x01, 0x00};
  EXPECT_EQ(CRecObj::GetShort(record, 1), -1);
  EXPECT_EQ(CRecObj::GetLong(record, 3), -2);
  EXPECT_DOUBLE_EQ(CRecObj::GetFloat(record, 7), 72.5);
  EXPECT_EQ(CRecObj::GetLogical(record, 11), 1);
  EXPECT_EQ(CRecObj::GetLogical(record, 7), 0);
  BYTE buffer[8] = {};
  CRecObj::PutDouble(buffer, -0.125, 1);
  EXPECT_DOUBLE_EQ(CRecObj::GetDouble(buffer, 1), -0.125);
}

TEST(RecfieldTest, DateBytesReadAsLocalTime)
{
  const BYTE record[] = {0, 96, 5, 17, 14, 30, 0};
  CTime t = CRecObj::GetDate(record, 2);
  EXPECT_EQ(t.GetYear(), 1996);
  EXPECT_EQ(t.GetMonth(), 5);
  EXPECT_EQ(t.GetDay(), 17);
  EXPECT_EQ(t.GetHour(), 14);
  EXPECT_EQ(t.GetMinute(), 30);
  EXPECT_EQ(t.GetSecond(), 0);
}

TEST(RecfieldTest, PutsPadWithNulsAndNeverWriteOutsideTheirWidth)
{
  std::vector<BYTE> buffer(8, 0xAA);
  CRecObj::PutString(buffer.data(), "ABCDEF", 2, 4);
  EXPECT_EQ(buffer, (std::vector<BYTE>{0xAA, 'A', 'B', 'C', 'D', 0xAA, 0xAA, 0xAA}));
  CRecObj::PutString(buffer.data(), "Z", 2, 3);
  EXPECT_EQ(buffer, (std::vector<BYTE>{0xAA, 'Z', 0, 0, 'D', 0xAA, 0xAA, 0xAA}));
  CRecObj::PutString(buffer.data(), "Q", 1, 0);
  EXPECT_EQ(buffer[0], 0xAA);
  CRecObj::PutLogical(buffer.data(), TRUE, 7);
  EXPECT_EQ(buffer[6], 0xFF);
  EXPECT_EQ(buffer[7], 0xFF);
  CRecObj::PutShort(buffer.data(), -2, 1);
  EXPECT_EQ(CRecObj::GetShort(buffer.data(), 1), -2);
  CRecObj::PutLong(nullptr, 5, 1);  // nothing to write into, and no crash
}

TEST(RecfieldTest, ExceptionTextsFollowTheCause)
{
  EXPECT_EQ(CTXDBException("Recobj", 1, 5).message, CString("Error reading the database; cause = 5."));
  EXPECT_EQ(CTXDBException("Recobj", 1, 2).description, CString("The database file was not found."));
  EXPECT_EQ(CTXDBException("Recobj", 1, 3).message, CString("The path for the database is invalid."));
  CTXDBException e("Recobj", 176, 2);
  e.AppendFileName("/data/TXDB.SDF");
  EXPECT_EQ(e.message, CString("The database file was not found.  File = /data/TXDB.SDF"));
  EXPECT_EQ(e.description, e.message);
  EXPECT_TRUE(e.IsKindOf(RUNTIME_CLASS(CCommonException)));
}

}  // namespace
