// Guards the component, entity, element, grille, limit and version record classes: not-found
// resets, -0.0 keys, both COMPSETS option conditions, element and elevation-line lookups, grille
// bar order, the governing limits row and the version texts and date.
#include <gtest/gtest.h>

#include "DbTestUtil.h"
#include "productdb/Arlimits.h"
#include "productdb/Componet.h"
#include "productdb/Compsets.h"
#include "productdb/Dbver.h"
#include "productdb/Elemcomp.h"
#include "productdb/Elevline.h"
#include "productdb/Entities.h"
#include "productdb/Grilhdrs.h"
#include "productdb/Grilprop.h"
#include "productdb/Vglimits.h"

namespace {

TextRow Limits(const char* minSide, const char* inset)
{
  TextRow row = {{"F1", minSide}, {"F37", inset}, {"F57", "3.0"}};
  return row;
}

class ComponentTablesTest : public DbTest
{
protected:
  void SetUp() override
  {
    DbTest::SetUp();
    CTableWriter w;
    AddProductTable(w, "COMPONET", {{{"F1", "40"}, {"F55", "F"}, {"F60", "2.25"}}});
    AddProductTable(w, "COMPSETS",
                    {{{"F1", "40"},
                      {"F5", "41"},
                      {"F9", "0"},
                      {"F17", "1.5"},
                      {"F25", "T"},
                      {"F27", "0.5"},
                      {"F31", "0"},
                      {"F33", "3"},
                      {"F37", "1"},
                      {"F41", "5"},
                      {"F45", "2"}}});
    AddProductTable(w, "ENTITIES",
                    {{{"F1", "9"},
                      {"F5", "L"},
                      {"F6", "SILL"},
                      {"F18", "1"},
                      {"F26", "2"},
                      {"F34", "3"},
                      {"F42", "4"},
                      {"F82", "0.5"}}});
    AddProductTable(w, "ELEMCOMP", {{{"F1", "VG"}, {"F3", "RE010"}, {"F8", "BJ"}, {"F10", "40"}}});
    AddProductTable(w, "ELEVLINE",
                    {{{"F1", "40"}, {"F5", "2"}, {"F7", "1.5"}},
                     {{"F1", "40"}, {"F5", "1"}, {"F7", "3"}},
                     {{"F1", "41"}, {"F5", "1"}, {"F7", "9"}},
                     {{"F1", "40"}, {"F5", "1"}, {"F7", "2"}}});
    AddProductTable(w, "GRILHDRS", {{{"F1", "12"}, {"F5", "DH"}, {"F7", "DH100"}, {"F12", "2436"}, {"F24", "3"}}});
    AddProductTable(w, "GRILPROP",
                    {{{"F1", "12"}, {"F5", "V"}, {"F6", "4"}},
                     {{"F1", "12"}, {"F5", "H"}, {"F6", "9"}},
                     {{"F1", "12"}, {"F5", "V"}, {"F6", "2"}},
                     {{"F1", "12"}, {"F5", "H"}, {"F6", "1"}},
                     {{"F1", "13"}, {"F5", "H"}, {"F6", "0"}}});
    AddProductTable(
        w, "ARLIMITS",
        {{{"F1", "60"}}, {{"F1", "80"}, {"F5", "10"}, {"F9", "70"}, {"F13", "5"}, {"F17", "0.5"}, {"F21", "1.5"}}});
    AddProductTable(w, "VGLIMITS", {Limits("12", "1.25"), Limits("8", "0.75"), Limits("10", "1.0")});
    AddProductTable(w, "DBVER",
                    {{{"F1", "REL 2.0"}, {"F21", "DATA 7"}, {"F41", "1996-05-17 14:30:00"}},
                     {{"F1", "REL 1.0      "}, {"F21", "ABCDEFGHIJKLMNOPQRST"}, {"F41", "1995-01-02"}}});
    UseDatabase(w);
  }
};

TEST_F(ComponentTablesTest, ComponentsByNumberOrReset)
{
  CComponetRec found(40);
  EXPECT_EQ(found.GetField55(), CString("F"));
  EXPECT_DOUBLE_EQ(found.GetField60(), 2.25);
  CComponetRec missing(41);
  EXPECT_EQ(missing.GetComponent(), 0);
  EXPECT_EQ(missing.GetField55(), CString(""));
}

TEST_F(ComponentTablesTest, ComponentSetKeyWithNegativeZeroFindsZeroAndExposesBothConditions)
{
  CCompSetsRec set;
  set.SetField1(40);
  set.SetField5(41);
  set.SetField9(-0.0);
  set.SetField17(1.5);
  set.SetField25(TRUE);
  set.SetField27(0.5f);
  set.SetField31(0);
  ASSERT_EQ(set.Find(1), 0);
  EXPECT_EQ(set.GetField33(), 3);
  EXPECT_EQ(set.GetField37(), 1);
  EXPECT_EQ(set.GetField41(), 5);
  EXPECT_EQ(set.GetField45(), 2);
}

TEST_F(ComponentTablesTest, EntityRowsReadTheirPoints)
{
  CEntitiesRec entity;
  entity.SetField1(9);
  entity.SetField6("SILL");
  ASSERT_EQ(entity.Find(1), 0);
  EXPECT_EQ(entity.GetKind(), CString("L"));
  EXPECT_DOUBLE_EQ(entity.GetX(), 1);
  EXPECT_DOUBLE_EQ(entity.GetY(), 2);
  EXPECT_DOUBLE_EQ(entity.GetX2(), 3);
  EXPECT_DOUBLE_EQ(entity.GetY2(), 4);
  EXPECT_DOUBLE_EQ(entity.GetField82(), 0.5);
}

TEST_F(ComponentTablesTest, ElementComponentOrEmptiedCodes)
{
  CElemCompRec found("VG", "RE010", "BJ");
  EXPECT_EQ(found.GetComponent(), 40);
  CElemCompRec missing("VG", "RE010", "XX");
  EXPECT_EQ(missing.GetTypeCode(), CString(""));
  EXPECT_EQ(missing.GetSubtypeCode(), CString(""));
  EXPECT_EQ(missing.GetElementCode(), CString(""));
  EXPECT_EQ(missing.GetComponent(), 0);
}

TEST_F(ComponentTablesTest, ElevationLinesOfOneNumberInIndexOrder)
{
  CElevLineRecArray lines(40);
  ASSERT_EQ(lines.GetSize(), 3);
  EXPECT_EQ(lines.GetAt(0)->GetField5(), 1);
  EXPECT_DOUBLE_EQ(lines.GetAt(0)->GetField7(), 2.0);
  EXPECT_DOUBLE_EQ(lines.GetAt(1)->GetField7(), 3.0);
  EXPECT_EQ(lines.GetAt(2)->GetField5(), 2);
  EXPECT_EQ(CElevLineRecArray(39).GetSize(), 0);
  EXPECT_EQ(CElevLineRecArray(50).GetSize(), 0);
  CElevLineRec beyond(50);
  EXPECT_EQ(beyond.GetNumber(), 0);
  EXPECT_EQ(beyond.GetField5(), -1);
  EXPECT_DOUBLE_EQ(beyond.GetField7(), -1.0);
}

TEST_F(ComponentTablesTest, GrilleHeaderAndBarsHBeforeVInAscendingPosition)
{
  CGrilHdrsRec header("DH", "DH100", "2436", 3);
  EXPECT_EQ(header.GetGrilleId(), 12);
  CGrilHdrsRec none("DH", "DH100", "3036", 3);
  EXPECT_EQ(none.GetGrilleId(), 0);
  EXPECT_EQ(none.GetTypeCode(), CString(""));
  CGrilPropRec bar;
  bar.SetGrilleId(12);
  bar.SetPropertyCode("");
  bar.SetValue(0.0f);
  BOOL atEnd = FALSE;
  std::vector<CString> bars;
  for (int r = bar.SeekGE(1, &atEnd); r == 0 && bar.GetGrilleId() == 12; r = bar.Next(&atEnd))
    bars.push_back(bar.GetPropertyCode() + CString::Formatted("%g", bar.GetValue()));
  EXPECT_EQ(bars, (std::vector<CString>{"H1", "H9", "V2", "V4"}));
}

TEST_F(ComponentTablesTest, LimitsRowsAndTheirCopies)
{
  CVgLimitsRec limits;
  ASSERT_EQ(limits.First(1), 0);
  EXPECT_DOUBLE_EQ(limits.GetMinSide(), 8.0);  // the smallest minimum side governs
  EXPECT_DOUBLE_EQ(limits.GetGlassInset(), 0.75);
  EXPECT_DOUBLE_EQ(limits.GetField37(), 0.75);
  EXPECT_DOUBLE_EQ(limits.GetMaxAngle(), 3.0);
  CVgLimitsRec copy(limits);
  EXPECT_DOUBLE_EQ(copy.GetGlassInset(), 0.75);
  CArLimitsRec arch;
  arch.SetField1(72.0f);
  BOOL atEnd = FALSE;
  ASSERT_EQ(arch.SeekGE(1, &atEnd), 0);
  EXPECT_DOUBLE_EQ(arch.GetField1(), 80.0);
  EXPECT_DOUBLE_EQ(arch.GetField9(), 70.0);
  CArLimitsRec other;
  other = arch;
  EXPECT_DOUBLE_EQ(other.GetField21(), 1.5);
  EXPECT_DOUBLE_EQ(other.GetField5(), 10.0);
  EXPECT_DOUBLE_EQ(other.GetField17(), 0.5);
}

TEST_F(ComponentTablesTest, VersionRecordReadsTheSmallestPairFirst)
{
  CDbVerRec version;
  ASSERT_EQ(version.First(1), 0);
  EXPECT_EQ(version.GetSpecificationVersion(), CString("REL 1.0"));             // trailing blanks dropped
  EXPECT_EQ(version.GetProductDataVersion(), CString("ABCDEFGHIJKLMNOPQRST"));  // 20 bytes, no NUL
  EXPECT_EQ(version.GetDatePopulated().GetYear(), 1995);
  BOOL atEnd = FALSE;
  ASSERT_EQ(version.Next(&atEnd), 0);
  CTime populated = version.GetDatePopulated();
  EXPECT_EQ(populated, CTime(1996, 5, 17, 14, 30, 0));
}

}  // namespace
