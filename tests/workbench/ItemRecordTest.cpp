// Guards the stored form of design items: the 50-byte record every item starts with and the
// unit item's own record, byte for byte against an image built here, the stamps a load accepts,
// that an item whose unit was never made stores the attribute string it was loaded with, and
// that a unit changed since it was made is stored as changed when the catalogue can no longer
// be read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "model/Unit.h"
#include "productdb/Optcats.h"
#include "productdb/Optchoic.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "productdb/txrecobj.h"
#include "support/Exceptn.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Unititem.h"
#include "workbench/items/Wbreg.h"

namespace {
using Bytes = std::vector<BYTE>;
constexpr unsigned kStamp = 10000;

// Little-endian image of what the archive should hold, built independently of the writer.
class CImage
{
public:
  CImage& Byte(int v)
  {
    m_bytes.push_back(static_cast<BYTE>(v));
    return *this;
  }
  CImage& Word(unsigned v) { return Byte(v & 0xFF).Byte((v >> 8) & 0xFF); }
  CImage& Dword(unsigned v) { return Word(v & 0xFFFF).Word(v >> 16); }
  CImage& Double(double v)
  {
    unsigned long long bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
      Byte(static_cast<int>((bits >> (8 * i)) & 0xFF));
    return *this;
  }
  CImage& Text(const std::string& s)
  {
    for (char c : s)
      Byte(static_cast<unsigned char>(c));
    return *this;
  }
  // The counted string: one length byte below 255, else 255 and a 16-bit length.
  CImage& Counted(const std::string& s)
  {
    if (s.size() < 255)
      Byte(static_cast<int>(s.size()));
    else
      Byte(255).Word(static_cast<unsigned>(s.size()));
    return Text(s);
  }
  // The tag of the first object of a class in an archive: new-class marker, schema, name.
  CImage& NewClass(const std::string& name)
  {
    return Word(0xFFFF).Word(kStamp).Word(static_cast<unsigned>(name.size())).Text(name);
  }
  CImage& BaseRecord(int type, double x, double y, double angle, double height, double width, int show, int snap)
  {
    return Dword(kStamp)
        .Dword(static_cast<unsigned>(type))
        .Double(x)
        .Double(y)
        .Double(angle)
        .Double(height)
        .Double(width)
        .Byte(show)
        .Byte(snap);
  }
  const Bytes& Get() const { return m_bytes; }

private:
  Bytes m_bytes;
};

Bytes Store(const std::function<void(CArchive&)>& write)
{
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  write(ar);
  ar.Close();
  return file.GetBytes();
}

CObject* Load(const Bytes& bytes)
{
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  return ar.ReadObject(RUNTIME_CLASS(CDesignItem));
}

class ItemRecordTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    CTXRecObj::SetDatabaseDirectory((std::string(binary) + "/productdata/").c_str());
    RegisterStandardUnits();
    RegisterWorkbenchClasses();
  }
};
}  // namespace

TEST_F(ItemRecordTest, AnItemWithoutItsUnitStoresTheBaseRecordAndItsThreeStrings)
{
  CUnitItem item("GL", "BA005");
  item.Offset(CVRX2DVector(12.5, 30.25));
  item.SetShowAlignmentLines(TRUE);
  item.SetSnapToAlignmentLines(FALSE);
  Bytes bytes = Store([&](CArchive& ar) { ar << static_cast<const CObject*>(&item); });
  CImage expected;
  expected.NewClass("CUnitItem").BaseRecord(1, 12.5, 30.25, 0.0, 0.0, 0.0, 1, 0);
  expected.Dword(kStamp).Counted("GL").Counted("BA005").Counted("");
  EXPECT_EQ(bytes, expected.Get());
  // The base record is 50 bytes after the 15-byte class tag.
  EXPECT_EQ(bytes.size(), 15u + 50u + 4u + 3u + 6u + 1u);
}

TEST_F(ItemRecordTest, AnItemWithItsUnitStoresTheUnitsSizeAndAttributes)
{
  CUnitItem item("GL", "BA005");
  CUnit* pUnit = item.GetUnit();
  item.Offset(CVRX2DVector(100.0, 200.0));
  const std::string attributes = pUnit->GetAttributes().c_str();
  ASSERT_EQ(attributes.rfind("GL,BA005", 0), 0u) << attributes;
  EXPECT_GT(item.GetWidth(), 0.0);
  EXPECT_GT(item.GetHeight(), 0.0);
  Bytes bytes = Store([&](CArchive& ar) { ar << static_cast<const CObject*>(&item); });
  CImage expected;
  expected.NewClass("CUnitItem")
      .BaseRecord(1, 100.0, 200.0, 0.0, item.GetHeight(), item.GetWidth(), 0, 1)
      .Dword(kStamp)
      .Counted("GL")
      .Counted("BA005")
      .Counted(attributes);
  EXPECT_EQ(bytes, expected.Get());
}

TEST_F(ItemRecordTest, LoadingGivesAnItemWithoutUnitThatRebuildsItFromItsAttributes)
{
  CUnitItem original("GL", "BA005");
  original.GetUnit();
  original.Offset(CVRX2DVector(10.0, 20.0));
  Bytes bytes = Store([&](CArchive& ar) { ar << static_cast<const CObject*>(&original); });
  std::unique_ptr<CObject> loaded(Load(bytes));
  auto* pItem = dynamic_cast<CUnitItem*>(loaded.get());
  ASSERT_NE(pItem, nullptr);
  EXPECT_FALSE(pItem->HasUnit());
  EXPECT_EQ(pItem->GetDescription(), "");
  EXPECT_EQ(pItem->GetItemType(), 1);
  EXPECT_EQ(pItem->GetCenterPoint().GetX(), 10.0 + original.GetWidth() / 2.0);
  EXPECT_EQ(pItem->GetCenterPoint().GetY(), 20.0 + original.GetHeight() / 2.0);
  EXPECT_EQ(pItem->GetUnit()->GetAttributes(), original.GetUnit()->GetAttributes());
  EXPECT_EQ(pItem->GetOffset(), original.GetOffset());
  EXPECT_EQ(pItem->GetWidth(), original.GetWidth());
}

TEST_F(ItemRecordTest, AnUnmadeUnitStoresALongAttributeStringUnchanged)
{
  const std::string attributes = "GL,BA005,0" + std::string(300, ' ');
  CImage image;
  image.NewClass("CUnitItem").BaseRecord(1, 1.0, 2.0, 0.5, 3.0, 4.0, 1, 1);
  image.Dword(kStamp).Counted("GL").Counted("BA005").Counted(attributes);
  std::unique_ptr<CObject> loaded(Load(image.Get()));
  auto* pItem = dynamic_cast<CUnitItem*>(loaded.get());
  ASSERT_NE(pItem, nullptr);
  EXPECT_EQ(pItem->GetAttributeString(), attributes.c_str());
  EXPECT_DOUBLE_EQ(pItem->GetAngle().GetRadians(), 0.5);
  Bytes again = Store([&](CArchive& ar) { ar << static_cast<const CObject*>(pItem); });
  EXPECT_EQ(again, image.Get());
}

TEST_F(ItemRecordTest, StampsFromTheOldestReadableVersionLoadAndOlderOnesAreRefused)
{
  for (unsigned baseStamp : {9236u, 9235u}) {
    for (unsigned ownStamp : {9236u, 9235u}) {
      CImage image;
      image.NewClass("CUnitItem").Dword(baseStamp).Dword(1).Double(0).Double(0).Double(0).Double(0).Double(0);
      image.Byte(0).Byte(1).Dword(ownStamp).Counted("GL").Counted("BA005").Counted("");
      if (baseStamp == 9236u && ownStamp == 9236u) {
        std::unique_ptr<CObject> loaded(Load(image.Get()));
        EXPECT_NE(dynamic_cast<CUnitItem*>(loaded.get()), nullptr);
      } else {
        EXPECT_THROW(delete Load(image.Get()), CAppSerializeException) << baseStamp << " " << ownStamp;
      }
    }
  }
}

TEST_F(ItemRecordTest, ACopyHasItsOwnUnitAndNoTracker)
{
  CUnitItem item("GL", "BA005");
  item.GetUnit();
  item.Offset(CVRX2DVector(5.0, 5.0));
  std::unique_ptr<CDesignItem> copy(item.Clone());
  auto* pCopy = dynamic_cast<CUnitItem*>(copy.get());
  ASSERT_NE(pCopy, nullptr);
  EXPECT_NE(pCopy->GetUnit(), item.GetUnit());
  EXPECT_EQ(pCopy->GetTracker(), nullptr);
  EXPECT_EQ(pCopy->GetTrackVector(), CVRX2DVector());
  EXPECT_EQ(pCopy->GetOffset(), item.GetOffset());
  EXPECT_EQ(pCopy->GetComponentOutlines()->GetSize(), item.GetComponentOutlines()->GetSize());
}

// The catalogue overwritten in place after the unit was made and its options changed (as the
// sheet changes them): the store writes the unit as the item holds it, without reading the
// catalogue again, and the catalogue's bytes put back give the same attributes.
TEST_F(ItemRecordTest, AUnitChangedBeforeTheCatalogueWasOverwrittenIsStoredAsChanged)
{
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "item_record_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path catalogue = fs::path(pattern) / "TXDB.SDF";
  fs::copy_file(fs::path(std::getenv("PANECRAFT_BINARY_DIR")) / "productdata/TXDB.SDF", catalogue);
  const auto overwrite = [&catalogue](const std::string& bytes) {
    std::ofstream out(catalogue, std::ios::binary | std::ios::in | std::ios::out);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  };
  std::string original;
  {
    std::ifstream in(catalogue, std::ios::binary);
    original.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  CTXRecObj::SetDatabaseDirectory((pattern + "/").c_str());
  CUnitItem item("GL", "BA005");
  CUnit* pUnit = item.GetUnit();
  ASSERT_TRUE(pUnit->SetOptionChoice(1, 2));
  item.UpdateUnitInfo();
  // Other bytes of the same length behind the magic word.
  std::string other = original;
  for (size_t i = 4; i < other.size(); ++i)
    other[i] = static_cast<char>(i * 131u + 7u);
  overwrite(other);
  Bytes bytes;
  EXPECT_NO_THROW(bytes = Store([&](CArchive& ar) { ar << static_cast<const CObject*>(&item); }));
  overwrite(original);
  const std::string attributes = pUnit->GetAttributes().c_str();
  EXPECT_NE(attributes.find(",1:2"), std::string::npos) << attributes;
  EXPECT_NE(std::string(bytes.begin(), bytes.end()).find(attributes), std::string::npos) << attributes;
  std::error_code ignored;
  fs::remove_all(pattern, ignored);
}
