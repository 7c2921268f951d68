// Guards the loading of a design's items: a design refused inside a group frees everything its
// bytes made, each object once, and an item owned by two lists of the stored design (a member that
// is also a top-level item) is refused rather than deleted twice.
#include <gtest/gtest.h>

#include <vector>

#include "geometry/2dline.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "project/Design.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Lineitem.h"
#include "workbench/items/Wbreg.h"

namespace {
using Bytes = std::vector<BYTE>;

// A line item that counts its living objects.
class CCountedLine : public CLineSegmentItem
{
  DECLARE_SERIAL(CCountedLine)
public:
  CCountedLine() { ++s_nLive; }
  explicit CCountedLine(double x) : CCountedLine()
  {
    m_vOffset = CVRX2DVector(x, 0.0);
    SetUpLine(CVRX2DLine(13, CVRX2DPoint(x, 0.0), CVRX2DPoint(x, 10.0)));
  }
  ~CCountedLine() override { --s_nLive; }

  static int s_nLive;
};

int CCountedLine::s_nLive = 0;
IMPLEMENT_SERIAL(CCountedLine, CLineSegmentItem, VERSIONABLE_SCHEMA | 10000)

Bytes StoreDesign(CDesign& design)
{
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  design.Serialize(ar);
  ar.Close();
  return file.GetBytes();
}

void LoadDesign(const Bytes& bytes)
{
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  CDesign design;
  design.Serialize(ar);
}

class DesignLoadTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    RegisterWorkbenchClasses();
    CRuntimeClass::Register(RUNTIME_CLASS(CCountedLine));
    CCountedLine::s_nLive = 0;
  }
};
}  // namespace

TEST_F(DesignLoadTest, ADesignCutShortInsideAGroupFreesTheMembersAlreadyRead)
{
  Bytes bytes;
  {
    CDesign design;
    CObList members;
    for (double x : {0.0, 20.0, 40.0})
      members.AddTail(new CCountedLine(x));
    design.GetItemList().AddTail(new CCountedLine(-20.0));
    design.GetItemList().AddTail(new CGroupItem(members));
    bytes = StoreDesign(design);
  }
  ASSERT_EQ(CCountedLine::s_nLive, 0);
  LoadDesign(bytes);
  EXPECT_EQ(CCountedLine::s_nLive, 0) << "a whole design loads and frees its items";
  // The group is the last item and its last member the end of the bytes: cut inside it.
  for (size_t cut : {size_t{8}, size_t{40}}) {
    const Bytes damaged(bytes.begin(), bytes.end() - static_cast<long>(cut));
    EXPECT_THROW(LoadDesign(damaged), CArchiveException) << cut;
    EXPECT_EQ(CCountedLine::s_nLive, 0) << "every member read before the damage is freed; cut " << cut;
  }
}

TEST_F(DesignLoadTest, AMemberThatIsAlsoATopLevelItemIsRefused)
{
  Bytes bytes;
  {
    CDesign design;
    auto* pShared = new CCountedLine(0.0);
    // Enough members around the shared one that the bytes left pass the size check of the list.
    CObList members;
    members.AddTail(new CCountedLine(20.0));
    members.AddTail(pShared);
    for (double x : {40.0, 60.0, 80.0})
      members.AddTail(new CCountedLine(x));
    auto* pGroup = new CGroupItem(members);
    design.GetItemList().AddTail(pShared);
    design.GetItemList().AddTail(pGroup);
    bytes = StoreDesign(design);
    // Only the design owns the shared line in memory.
    pGroup->RemoveItem(pShared);
  }
  ASSERT_EQ(CCountedLine::s_nLive, 0);
  EXPECT_THROW(LoadDesign(bytes), CArchiveException);
  EXPECT_EQ(CCountedLine::s_nLive, 0) << "each object freed exactly once";
}
