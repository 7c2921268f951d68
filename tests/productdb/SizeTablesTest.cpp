// Guards the record classes of the type and size tables: key constructors that empty their codes
// when nothing is found, the STDSIZES float indexes and the owning size and operation arrays.
#include <gtest/gtest.h>

#include "DbTestUtil.h"
#include "productdb/Dbslots.h"
#include "productdb/Operchoi.h"
#include "productdb/Opers.h"
#include "productdb/Stdsizes.h"
#include "productdb/Subtypes.h"
#include "productdb/Typesrec.h"
#include "productdb/txdbExcp.h"

namespace {

TextRow Size(const char* code, const char* height, const char* width, const char* radius = "0",
             const char* shoulder = "0")
{
  return {{"F1", "DH"},   {"F3", "DH100"}, {"F8", code},   {"F20", height}, {"F24", width},  {"F28", "2"},
          {"F30", "1.5"}, {"F34", "2.5"},  {"F38", "3.5"}, {"F42", "4.5"},  {"F46", radius}, {"F50", shoulder}};
}

class SizeTablesTest : public DbTest
{
protected:
  void SetUp() override
  {
    DbTest::SetUp();
    CTableWriter w;
    AddProductTable(w, "TYPES", {{{"F1", "DH"}, {"F38", "Double hung"}, {"F53", "S"}}, {{"F1", "CA"}}});
    AddProductTable(w, "SUBTYPES",
                    {{{"F1", "DH"}, {"F3", "DH100"}, {"F8", "Double hung, one sash"}, {"F58", "T"}, {"F68", "2"}},
                     {{"F1", "DH"}, {"F3", "DH200"}, {"F8", "Double hung twin"}, {"F68", "1"}}});
    AddProductTable(w, "STDSIZES",
                    {Size("2436", "36", "24"),
                     Size("3036", "36", "30"),
                     Size("2448", "48", "24"),
                     Size("3048", "48", "30"),
                     Size("ARCH", "60", "36", "18", "40"),
                     {{"F1", "DH"}, {"F3", "DH200"}}});
    AddProductTable(w, "OPERS", {{{"F1", "FV"}, {"F5", "Fixed over vent"}}, {{"F1", "VV"}, {"F5", "Vent over vent"}}});
    AddProductTable(w, "OPERCHOI",
                    {{{"F1", "DH"}, {"F3", "DH100"}, {"F8", "2436"}, {"F20", "VV"}},
                     {{"F1", "DH"}, {"F3", "DH100"}, {"F8", "2436"}, {"F20", "FV"}},
                     {{"F1", "DH"}, {"F3", "DH100"}, {"F8", "3036"}, {"F20", "FV"}}});
    UseDatabase(w);
  }
};

TEST_F(SizeTablesTest, TypesAndSubtypesFoundByKeyOrEmptied)
{
  CTypesRec type("DH");
  EXPECT_EQ(type.GetTypeCode(), CString("DH"));
  EXPECT_EQ(type.GetShortDescription(), CString("Double hung"));
  EXPECT_EQ(type.GetField53(), CString("S"));
  EXPECT_EQ(CTypesRec("ZZ").GetTypeCode(), CString(""));
  CSubTypesRec sub("DH", "DH100");
  EXPECT_EQ(sub.GetDescription(), CString("Double hung, one sash"));
  EXPECT_EQ(sub.GetFlag58(), 1);
  CSubTypesRec missing("DH", "XX999");
  EXPECT_EQ(missing.GetTypeCode(), CString(""));
  EXPECT_EQ(missing.GetSubtypeCode(), CString(""));
  CSubTypesRec byOrdinal;
  byOrdinal.SetTypeCode("DH");
  byOrdinal.SetField68(1);
  ASSERT_EQ(byOrdinal.Find(2), 0);
  EXPECT_EQ(byOrdinal.GetSubtypeCode(), CString("DH200"));
}

TEST_F(SizeTablesTest, StandardSizeByCodeOrEmptiedCodes)
{
  CStdSizesRec size("DH", "DH100", "3036");
  EXPECT_TRUE(size.IsTableCached());
  EXPECT_EQ(size.GetSizeCode(), CString("3036"));
  EXPECT_DOUBLE_EQ(size.GetHeight(), 36.0);
  EXPECT_DOUBLE_EQ(size.GetWidth(), 30.0);
  EXPECT_EQ(size.GetField28(), 2);
  EXPECT_DOUBLE_EQ(size.GetFloatByIndex(1), 1.5);
  EXPECT_DOUBLE_EQ(size.GetFloatByIndex(4), 4.5);
  EXPECT_THROW(size.GetFloatByIndex(0), CTXDBException);
  try {
    size.GetFloatByIndex(5);
    ADD_FAILURE();
  } catch (const CTXDBException& e) {
    EXPECT_EQ(e.file, CString("Stdsizes"));
    EXPECT_EQ(e.line, 162);
  }
  CStdSizesRec unknown("DH", "DH100", "9999");
  EXPECT_EQ(unknown.GetTypeCode(), CString(""));
  EXPECT_EQ(unknown.GetSubtypeCode(), CString(""));
  EXPECT_EQ(unknown.GetSizeCode(), CString(""));
}

TEST_F(SizeTablesTest, HeightAndWidthIndexesFindTheNextSizeUp)
{
  CStdSizesRec size;
  BOOL atEnd = FALSE;
  size.SetTypeCode("DH");
  size.SetSubtypeCode("DH100");
  size.SetHeight(40);
  size.SetWidth(26);
  ASSERT_EQ(size.SeekGE(2, &atEnd), 0);
  EXPECT_EQ(size.GetSizeCode(), CString("2448"));  // height 48 first, ties by width
  size.SetHeight(40);
  size.SetWidth(26);
  ASSERT_EQ(size.SeekGE(3, &atEnd), 0);
  EXPECT_EQ(size.GetSizeCode(), CString("3036"));  // width 30 first, then height
  size.SetHeight(10000);
  size.SetWidth(10000);
  EXPECT_EQ(size.SeekGE(2, &atEnd), 0);
  EXPECT_EQ(size.GetSubtypeCode(), CString("DH200"));  // beyond every size of DH100
  size.SetSubtypeCode("DH100");
  size.SetRadius(18);
  size.SetWidth(0);
  size.SetShoulderHeight(0);
  ASSERT_EQ(size.SeekGE(6, &atEnd), 0);
  EXPECT_EQ(size.GetSizeCode(), CString("ARCH"));
  EXPECT_DOUBLE_EQ(size.GetShoulderHeight(), 40.0);
}

TEST_F(SizeTablesTest, CopiedAndAssignedSizesKeepRowAndPosition)
{
  CStdSizesRec first("DH", "DH100", "2436");
  CStdSizesRec copy(first);
  EXPECT_EQ(copy.GetSizeCode(), CString("2436"));
  CStdSizesRec assigned;
  assigned = first;
  BOOL atEnd = FALSE;
  ASSERT_EQ(assigned.Next(&atEnd), 0);
  EXPECT_EQ(assigned.GetSizeCode(), CString("2448"));
  EXPECT_EQ(first.GetSizeCode(), CString("2436"));
}

TEST_F(SizeTablesTest, OperationsAndTheirChoicesPerSize)
{
  COpersRec fv("FV");
  EXPECT_EQ(fv.GetDescription(), CString("Fixed over vent"));
  EXPECT_EQ(COpersRec("XX").GetCode(), CString(""));
  COperChoiRec choice;
  choice.SetTypeCode("DH");
  choice.SetSubtypeCode("DH100");
  choice.SetSizeCode("2436");
  choice.SetOperationCode("");
  BOOL atEnd = FALSE;
  std::vector<CString> codes;
  for (int r = choice.SeekGE(1, &atEnd); r == 0 && choice.GetSizeCode() == CString("2436"); r = choice.Next(&atEnd))
    codes.push_back(choice.GetOperationCode());
  EXPECT_EQ(codes, (std::vector<CString>{"FV", "VV"}));
}

TEST_F(SizeTablesTest, ArraysDeleteTheirRecords)
{
  {
    CStdSizesRecArray sizes;
    sizes.Add(new CStdSizesRec("DH", "DH100", "2436"));
    sizes.Add(new CStdSizesRec("DH", "DH100", "3036"));
    COpersRecArray opers;
    opers.Add(new COpersRec("FV"));
    EXPECT_EQ(sizes.GetAt(1)->GetSizeCode(), CString("3036"));
    sizes.RemoveAll();
    EXPECT_EQ(sizes.GetSize(), 0);
    EXPECT_EQ(TableSlot(0).useCount, 0);  // STDSIZES was the first table opened
  }
  for (int i = 0; i < CRecObj::GetOpenTableCount(); ++i)
    EXPECT_EQ(TableSlot(i).useCount, 0);
}

}  // namespace
