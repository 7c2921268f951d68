// Guards the shared registries: database path forming, one file and one table slot shared by all
// objects, the 5-file and 30-table limits, caching rules, copies and assignment, and the checks
// that keep a record class from reading or packing outside the file's record and key.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "NumberRec.h"
#include "platform/core/File.h"
#include "productdb/Dbslots.h"
#include "productdb/txdbExcp.h"

namespace {

class RecobjSlotsTest : public DbTest
{
protected:
  void WriteNumbers(int recordLength = 12)
  {
    CTableWriter writer;
    AddNumbers(writer, {{1, "one"}, {2, "two"}, {3, "three"}}, recordLength);
    UseDatabase(writer);
  }
};

TEST_F(RecobjSlotsTest, DirectoryGetsOneSlashAndTheFileName)
{
  CTXRecObj::SetDatabaseDirectory("/data");
  EXPECT_EQ(CTXRecObj::GetDatabasePath(), CString("/data/TXDB.SDF"));
  CTXRecObj::SetDatabaseDirectory("/data/");
  EXPECT_EQ(CTXRecObj::GetDatabasePath(), CString("/data/TXDB.SDF"));
  CTXRecObj::SetDatabaseDirectory("");
  EXPECT_EQ(CTXRecObj::GetDatabasePath(), CString("TXDB.SDF"));
}

TEST_F(RecobjSlotsTest, MissingFileNamesThePath)
{
  try {
    CNumberRec rec;
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.cause, 2);
    EXPECT_EQ(e.file, CString("Recobj"));
    EXPECT_EQ(e.line, 176);
    CString expected = CString("The database file was not found.  File = ") + DatabasePath().c_str();
    EXPECT_EQ(e.message, expected);
    EXPECT_EQ(e.description, expected);
  }
  EXPECT_EQ(CRecObj::GetOpenDatabaseCount(), 0);
}

// Refused when opened, before a read could wait on a FIFO for ever.
TEST_F(RecobjSlotsTest, AFolderOrFifoInPlaceOfTheFileIsAReadError)
{
  std::filesystem::create_directory(DatabasePath());
  try {
    CNumberRec rec;
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.cause, CFileException::accessDenied);
  }
  std::filesystem::remove(DatabasePath());
  ASSERT_EQ(::mkfifo(DatabasePath().c_str(), 0666), 0);
  try {
    CNumberRec rec;
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.message, CString::Formatted("Error reading the database; cause = %d.", CFileException::generic));
  }
  EXPECT_EQ(CRecObj::GetOpenDatabaseCount(), 0);
}

TEST_F(RecobjSlotsTest, AFileThatCannotBeOpenedPassesTheFileErrorCauseOn)
{
  WriteNumbers();
  CFile holder(DatabasePath().c_str(), CFile::modeReadWrite | CFile::shareExclusive);
  try {
    CNumberRec rec;
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.line, 63);
    EXPECT_EQ(e.cause, CFileException::sharingViolation);
    EXPECT_EQ(e.message,
              CString::Formatted("Error reading the database; cause = %d.", CFileException::sharingViolation));
  }
  EXPECT_EQ(CRecObj::GetOpenDatabaseCount(), 0);
  holder.Close();
  CNumberRec rec;  // the slot was not taken by the failed open
  EXPECT_EQ(CRecObj::GetOpenDatabaseCount(), 1);
}

TEST_F(RecobjSlotsTest, ObjectsShareOneFileAndOneTableSlotThatOutliveThem)
{
  WriteNumbers();
  {
    CNumberRec a;
    CNumberRec b;
    EXPECT_EQ(CRecObj::GetOpenDatabaseCount(), 1);
    EXPECT_EQ(CRecObj::GetOpenTableCount(), 1);
    EXPECT_FALSE(CRecObj::ResetRegistries());
  }
  EXPECT_EQ(CRecObj::GetOpenDatabaseCount(), 1);
  EXPECT_EQ(CRecObj::GetOpenTableCount(), 1);
  CNumberRec c;
  EXPECT_EQ(CRecObj::GetOpenTableCount(), 1);
}

// Record objects are made by the thousand; once the file is open by its path, they find it by
// that path alone, so the open file serves them even after its name has gone from the folder.
TEST_F(RecobjSlotsTest, TheOpenFileIsFoundByItsPathWithoutLookingAtTheFolder)
{
  WriteNumbers();
  CNumberRec a;
  a.key = 2;
  ASSERT_EQ(a.Find(1), 0);
  const std::string moved = DatabasePath() + ".moved";
  std::filesystem::rename(DatabasePath(), moved);
  CNumberRec b;
  b.key = 3;
  EXPECT_EQ(b.Find(1), 0);
  EXPECT_EQ(b.name, CString("three"));
  EXPECT_EQ(CRecObj::GetOpenDatabaseCount(), 1);
  std::filesystem::rename(moved, DatabasePath());
}

// A table is one slot whatever the case its name is asked in; a name that only begins like it,
// or that it only begins like, is another table.
TEST_F(RecobjSlotsTest, ATableIsFoundByItsWholeNameInAnyCase)
{
  CTableWriter writer;
  AddNumbers(writer, {{1, "one"}}, 12, "NUMBERS");
  AddNumbers(writer, {{2, "two"}}, 12, "NUMBERS2");
  AddNumbers(writer, {{3, "three"}}, 12, "NUMBER");
  UseDatabase(writer);
  CNumberRec upper("NUMBERS");
  CNumberRec lower("numbers");
  CNumberRec mixed("~NumberS");
  EXPECT_EQ(CRecObj::GetOpenTableCount(), 1);
  CNumberRec longer("numbers2");
  CNumberRec shorter("Number");
  EXPECT_EQ(CRecObj::GetOpenTableCount(), 3);
  shorter.key = 3;
  ASSERT_EQ(shorter.Find(1), 0);
  EXPECT_EQ(shorter.name, CString("three"));
  longer.key = 2;
  ASSERT_EQ(longer.Find(1), 0);
  EXPECT_EQ(longer.name, CString("two"));
}

TEST_F(RecobjSlotsTest, CopiesKeepIndexAndPositionAndAssignmentNeedsTheSameTable)
{
  CTableWriter writer;
  AddNumbers(writer, {{1, "one"}, {2, "two"}, {3, "three"}});
  AddNumbers(writer, {{7, "seven"}}, 12, "OTHER");
  UseDatabase(writer);
  CNumberRec a;
  BOOL atEnd = FALSE;
  ASSERT_EQ(a.First(1), 0);
  ASSERT_EQ(a.Next(&atEnd), 0);
  CNumberRec copy(a);
  EXPECT_EQ(copy.key, 2);
  ASSERT_EQ(copy.Next(&atEnd), 0);
  EXPECT_EQ(copy.key, 3);
  // A copy searches its index with a key buffer of its own.
  CNumberRec searcher(a);
  searcher.key = 3;
  ASSERT_EQ(searcher.Find(1), 0);
  EXPECT_EQ(searcher.name, CString("three"));
  CNumberRec b;
  b = a;
  ASSERT_EQ(b.Next(&atEnd), 0);
  EXPECT_EQ(b.key, 3);
  CNumberRec other("OTHER");
  try {
    other = a;
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.line, 279);
  }
}

TEST_F(RecobjSlotsTest, ASixthDatabaseFileIsRefused)
{
  std::vector<std::unique_ptr<CTempFolder>> folders;
  std::vector<std::unique_ptr<CNumberRec>> open;
  for (int i = 0; i < 6; ++i) {
    folders.push_back(std::make_unique<CTempFolder>());
    CTableWriter writer;
    AddNumbers(writer, {{i, "n"}});
    writer.WriteFile(CString(folders.back()->Path().c_str()) + "/TXDB.SDF");
    CTXRecObj::SetDatabaseDirectory(folders.back()->Path().c_str());
    if (i < 5) {
      open.push_back(std::make_unique<CNumberRec>());
      ASSERT_EQ(open.back()->First(1), 0);
      EXPECT_EQ(open.back()->key, i);  // each file reads its own table
    } else {
      try {
        CNumberRec sixth;
        ADD_FAILURE();
      } catch (const CTXDBException& e) {
        EXPECT_EQ(e.line, 196);
        EXPECT_EQ(e.cause, 1);
      }
    }
  }
}

TEST_F(RecobjSlotsTest, AThirtyFirstTableIsRefused)
{
  CTableWriter writer;
  for (int i = 0; i < 31; ++i)
    AddNumbers(writer, {{i, "n"}}, 12, CString::Formatted("T%d", i));
  UseDatabase(writer);
  std::vector<std::unique_ptr<CNumberRec>> open;
  for (int i = 0; i < 30; ++i)
    open.push_back(std::make_unique<CNumberRec>(CString::Formatted("t%d", i)));
  EXPECT_EQ(CRecObj::GetOpenTableCount(), 30);
  try {
    CNumberRec last("T30");
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.line, 235);
  }
  CNumberRec again("T0");  // a table already open is still shared, whatever the case of its name
  EXPECT_EQ(CRecObj::GetOpenTableCount(), 30);
}

TEST_F(RecobjSlotsTest, TildeKeepsALargeTableInMemoryOnlyAtItsFirstOpen)
{
  CTableWriter writer;
  AddNumbers(writer, {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}}, 12000);
  AddNumbers(writer, {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}}, 12000, "LARGE");
  UseDatabase(writer);
  CNumberRec cached("~NUMBERS");
  EXPECT_TRUE(cached.IsTableCached());
  CNumberRec plain("NUMBERS");
  EXPECT_TRUE(plain.IsTableCached());
  CNumberRec large("LARGE");
  EXPECT_FALSE(large.IsTableCached());
  CNumberRec stillLarge("~LARGE");
  EXPECT_FALSE(stillLarge.IsTableCached());
  EXPECT_EQ(CRecObj::GetOpenTableCount(), 2);
}

TEST_F(RecobjSlotsTest, FieldsOutsideTheFilesRecordAreRefused)
{
  CTableWriter writer;
  writer.AddTable(MakeLayout("NUMBERS", 8,
                             {Field("KEY", SdfFieldKind::Long, 1), Field("NAME", SdfFieldKind::Text, 5, 4)},
                             {{"KEY"}, {"NAME"}}));
  writer.AddRow(0, CSdfRow().SetInt("KEY", 1).Set("NAME", "abcd"));
  UseDatabase(writer);
  CNumberRec rec;
  try {
    rec.First(1);  // NAME is read 8 bytes wide from a record of 8
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.cause, 1);
    EXPECT_EQ(e.line, 1290);
  }
  try {
    rec.Find(2);  // the class packs 8 bytes into a key of 4
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.line, 1300);
  }
}

TEST_F(RecobjSlotsTest, ReleasingBelowZeroIsClampedWithoutThrowing)
{
  WriteNumbers();
  {
    CNumberRec rec;
  }
  EXPECT_NO_THROW(ReleaseTableSlot(0));
  EXPECT_NO_THROW(ReleaseDatabaseSlot(0));
  EXPECT_EQ(TableSlot(0).useCount, 0);
  CNumberRec rec;
  EXPECT_EQ(TableSlot(0).useCount, 1);
}

}  // namespace
