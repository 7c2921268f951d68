// Guards the holders of the clipboard and picture code: whatever way a block is left (normally,
// early or by an exception) the clipboard is closed and publishes what was set, a block is freed
// unless the clipboard took it, a lock is given back, and a device context gets its state back.
#include <cstring>
#include <stdexcept>
#include <vector>

#include <QClipboard>
#include <QGuiApplication>

#include "TestApp.h"
#include "ui/draw/Gdi.h"
#include "ui/output/Clipguard.h"

namespace {
class ClipguardTest : public UiTest
{};

// Puts text on the clipboard inside a session that an exception leaves.
void SetTextThenThrow(const char* text)
{
  CClipboardSession clipboard(nullptr);
  ASSERT_TRUE(clipboard.IsOpen());
  EmptyClipboard();
  CGlobalMemory block(GMEM_MOVEABLE, strlen(text) + 1);
  ASSERT_TRUE(CopyIntoBlock(block.Get(), text, strlen(text) + 1));
  ASSERT_TRUE(block.SetClipboardData(CF_TEXT));
  EXPECT_EQ(block.Get(), nullptr);
  throw std::runtime_error("drawing failed");
}
}  // namespace

TEST_F(ClipguardTest, ASessionLeftByAnExceptionClosesAndPublishes)
{
  EXPECT_THROW(SetTextThenThrow("Schedule"), std::runtime_error);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("Schedule"));
  // Closed: it opens again, and a second session is refused while the first holds it.
  CClipboardSession first(nullptr);
  EXPECT_TRUE(first.IsOpen());
  CClipboardSession second(nullptr);
  EXPECT_FALSE(second.IsOpen());
  EXPECT_FALSE(second.Close());
  EXPECT_TRUE(first.Close());
  EXPECT_FALSE(first.Close());
}

TEST_F(ClipguardTest, ABlockTheClipboardRefusesStaysWithItsHolderAndLocksAreGivenBack)
{
  CGlobalMemory block(GMEM_MOVEABLE, 4);
  ASSERT_NE(block.Get(), nullptr);
  // The clipboard is not open: the block is not taken.
  EXPECT_FALSE(block.SetClipboardData(CF_TEXT));
  EXPECT_NE(block.Get(), nullptr);
  try {
    CGlobalLock lock(block.Get());
    ASSERT_NE(lock.As<BYTE>(), nullptr);
    EXPECT_EQ(block.Get()->locks, 1);
    throw std::runtime_error("copy failed");
  } catch (const std::runtime_error&) {}
  EXPECT_EQ(block.Get()->locks, 0);
  CGlobalLock none(nullptr);
  EXPECT_EQ(none.Get(), nullptr);
  EXPECT_FALSE(CopyIntoBlock(nullptr, "x", 1));
}

TEST_F(ClipguardTest, ReadingBytesReportsWhyAndAlwaysClosesTheClipboard)
{
  const UINT format = RegisterClipboardFormat("Panecraft Guard Test");
  const char bytes[] = {'\x01', '\0', '\x7f'};
  {
    CClipboardSession clipboard(nullptr);
    EmptyClipboard();
    CGlobalMemory block(GMEM_MOVEABLE, sizeof(bytes));
    ASSERT_TRUE(CopyIntoBlock(block.Get(), bytes, sizeof(bytes)));
    ASSERT_TRUE(block.SetClipboardData(format));
  }
  std::vector<BYTE> read;
  EXPECT_EQ(ReadClipboardBytes(nullptr, format, read), CClipboardRead::ok);
  EXPECT_EQ(read, std::vector<BYTE>(bytes, bytes + sizeof(bytes)));
  EXPECT_EQ(ReadClipboardBytes(nullptr, RegisterClipboardFormat("Other Program"), read), CClipboardRead::noData);
  {
    CClipboardSession holder(nullptr);
    EXPECT_EQ(ReadClipboardBytes(nullptr, format, read), CClipboardRead::notOpened);
  }
  // Each read closed what it opened.
  CClipboardSession after(nullptr);
  EXPECT_TRUE(after.IsOpen());
}

TEST_F(ClipguardTest, SavedStateComesBackOnEveryWayOut)
{
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(8, 8));
  CDC dc;
  dc.AttachImage(bitmap.Image());
  dc.SetROP2(R2_COPYPEN);
  dc.SetMapMode(MM_TEXT);
  try {
    CSavedDC saved(&dc);
    dc.SetROP2(R2_NOT);
    dc.SetMapMode(MM_ISOTROPIC);
    throw std::runtime_error("translation failed");
  } catch (const std::runtime_error&) {}
  EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
  EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
  {
    CSavedDC outer(&dc);
    dc.SetROP2(R2_NOTXORPEN);
    {
      CSavedDC inner(&dc);
      dc.SetROP2(R2_NOT);
    }
    EXPECT_EQ(dc.GetROP2(), R2_NOTXORPEN);
  }
  EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
}
