// Guards that the Workbench's persistent items load by name after its start-up registration
// alone, and that a design holding them then loads and finds its units: this program names none
// of the item classes, so none is linked in by use.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "project/Design.h"
#include "workbench/items/Wbreg.h"

namespace {
using Bytes = std::vector<BYTE>;

class CBytes
{
public:
  CBytes& Byte(unsigned v)
  {
    m_bytes.push_back(static_cast<BYTE>(v));
    return *this;
  }
  CBytes& Word(unsigned v) { return Byte(v & 0xFF).Byte(v >> 8); }
  CBytes& Dword(unsigned v) { return Word(v & 0xFFFF).Word(v >> 16); }
  CBytes& Zero(int n)
  {
    m_bytes.insert(m_bytes.end(), static_cast<size_t>(n), 0);
    return *this;
  }
  CBytes& Str(const std::string& s)
  {
    Byte(static_cast<unsigned>(s.size()));
    m_bytes.insert(m_bytes.end(), s.begin(), s.end());
    return *this;
  }
  CBytes& NewClass(const std::string& name)
  {
    Word(0xFFFF).Word(10000).Word(static_cast<unsigned>(name.size()));
    m_bytes.insert(m_bytes.end(), name.begin(), name.end());
    return *this;
  }
  // The 50-byte record every item starts with: stamp, type, five zero doubles, two flags.
  CBytes& BaseRecord(unsigned type) { return Dword(10000).Dword(type).Zero(40).Byte(0).Byte(1); }
  const Bytes& Get() const { return m_bytes; }

private:
  Bytes m_bytes;
};

std::string LoadedClassName(const Bytes& bytes)
{
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  std::unique_ptr<CObject> ob(ar.ReadObject(&CObject::classCObject));
  EXPECT_EQ(ar.GetRemaining(), 0u) << "the object read all of its bytes";
  return ob ? ob->GetRuntimeClass()->m_lpszClassName : "(null)";
}

Bytes UnitItem()
{
  return CBytes().NewClass("CUnitItem").BaseRecord(1).Dword(10000).Str("GL").Str("BA005").Str("").Get();
}
}  // namespace

TEST(WorkbenchRegistry, ItemClassesLoadByNameOnceRegistered)
{
  EXPECT_THROW(LoadedClassName(UnitItem()), CArchiveException) << "unknown before the registration";
  RegisterWorkbenchClasses();
  EXPECT_EQ(LoadedClassName(CBytes().NewClass("CDesignItem").BaseRecord(0).Get()), "CDesignItem");
  EXPECT_EQ(LoadedClassName(UnitItem()), "CUnitItem");
  // A line item: the base record, its own stamp, the line's category and end points.
  EXPECT_EQ(LoadedClassName(CBytes().NewClass("CLineSegmentItem").BaseRecord(4).Dword(10000).Dword(13).Zero(32).Get()),
            "CLineSegmentItem");
}

TEST(WorkbenchRegistry, ADesignHoldingAUnitItemLoadsAndFindsItsUnit)
{
  RegisterWorkbenchClasses();
  CBytes design;
  design.Dword(10000).Dword(10000).Str("Bay").Dword(1).Zero(16).Byte(0).Word(0).Word(1);
  Bytes bytes = design.Get();
  const Bytes item = UnitItem();
  bytes.insert(bytes.end(), item.begin(), item.end());
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  CDesign loaded;
  loaded.Serialize(ar);
  EXPECT_EQ(loaded.GetName(), "Bay");
  CObList units;
  EXPECT_TRUE(loaded.GetUnitsInDesign(units, FALSE));
  EXPECT_EQ(units.GetCount(), 1);
}
