// Guards the elevation copied to the clipboard in the running program: the picture (PNG) and the
// SVG, read back from the clipboard, show every arched family, a circle top and a free-form unit
// as the elevation view's own surface does (the crown above the springline, not mirrored), with a
// blank margin round the drawing.
#include <algorithm>
#include <string>
#include <vector>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>

#include "WbGuiFixture.h"
#include "app/Shellids.h"
#include "model/Stdunit.h"
#include "views/Aspview.h"
#include "workbench/frame/Wbids.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The grid the screen's drawing and the picture's are compared on, cells per side.
constexpr int kGrid = 24;

struct Piece
{
  const char* type;
  const char* subtype;
  const char* size;  // empty: the unit's default
};

// Which cells of a grid laid over the ink's own box hold ink.
class CInkGrid
{
public:
  // ink(x, y) tells whether the pixel is drawn on, inside width by height.
  template <class Ink>
  CInkGrid(int width, int height, Ink ink)
  {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (ink(x, y))
          m_box |= QRect(x, y, 1, 1);
    m_cells.assign(kGrid * kGrid, false);
    if (m_box.isEmpty())
      return;
    for (int y = m_box.top(); y <= m_box.bottom(); ++y)
      for (int x = m_box.left(); x <= m_box.right(); ++x)
        if (ink(x, y))
          m_cells[Cell(x, y)] = true;
  }
  QRect Box() const { return m_box; }
  bool At(int col, int row) const
  {
    return col >= 0 && row >= 0 && col < kGrid && row < kGrid && m_cells[row * kGrid + col];
  }
  // The part of this grid's inked cells that the other has inked in the same or a next cell.
  double FoundIn(const CInkGrid& other) const
  {
    int inked = 0;
    int found = 0;
    for (int row = 0; row < kGrid; ++row)
      for (int col = 0; col < kGrid; ++col) {
        if (!At(col, row))
          continue;
        ++inked;
        bool near = false;
        for (int dy = -1; dy <= 1 && !near; ++dy)
          for (int dx = -1; dx <= 1 && !near; ++dx)
            near = other.At(col + dx, row + dy);
        found += near ? 1 : 0;
      }
    return inked ? static_cast<double>(found) / inked : 0.0;
  }
  // The columns of the top row that hold ink, as parts of the width: where the drawing's top is.
  std::pair<double, double> TopSpan() const
  {
    int first = kGrid;
    int last = -1;
    for (int col = 0; col < kGrid; ++col)
      if (At(col, 0)) {
        first = std::min(first, col);
        last = std::max(last, col);
      }
    return {static_cast<double>(first) / kGrid, static_cast<double>(last + 1) / kGrid};
  }

private:
  size_t Cell(int x, int y) const
  {
    const int col = std::min(kGrid - 1, (x - m_box.left()) * kGrid / std::max(1, m_box.width()));
    const int row = std::min(kGrid - 1, (y - m_box.top()) * kGrid / std::max(1, m_box.height()));
    return static_cast<size_t>(row * kGrid + col);
  }

  QRect m_box;
  std::vector<bool> m_cells;
};

CInkGrid ImageInk(const QImage& image)
{
  return CInkGrid(image.width(), image.height(),
                  [&image](int x, int y) { return image.pixel(x, y) != qRgb(255, 255, 255); });
}

class ElevCopyTest : public WorkbenchGuiTest
{
protected:
  void SetUp() override
  {
    WorkbenchGuiTest::SetUp();
    StartAtTwoPixelsToTheInch();
  }

  // The pieces placed one above the other from the Workbench's lower left, as an opening is built.
  bool Build(const std::vector<Piece>& pieces)
  {
    // The new-unit commands go to the active frame: the Workbench, not a drawing view.
    MainFrame()->MDIActivate(Frame());
    Pump();
    const CRect client = View()->GetClientRect();
    double y = 24.0;
    for (const Piece& piece : pieces) {
      CUnitItem* pItem =
          PlaceUnit(CommandFor(piece.type, piece.subtype), CPoint(client.Width() / 3, client.Height() / 2));
      if (!pItem)
        return false;
      if (*piece.size) {
        auto* pUnit = dynamic_cast<CStandardUnit*>(pItem->GetUnit());
        if (!pUnit)
          return false;
        pUnit->SetSizeCode(piece.size);
        pItem->UpdateUnitInfo();
      }
      pItem->Offset(CVRX2DVector(24.0, y) - pItem->GetOffset());
      View()->UpdateAlignmentEntities(pItem);
      y += pItem->GetHeight();
    }
    View()->DeselectAll();
    View()->Invalidate(TRUE);
    Pump();
    return true;
  }

  // Hides the elevation again and removes every item, as Select All and the Delete key do.
  void Clear()
  {
    Command(ID_VIEW_ELEVATION);
    Pump();
    View()->SendMessage(WM_COMMAND, ID_SELECT_ALL);
    View()->SetFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(View()->m_hWnd, &press);
    Pump();
  }

  CAspectView* ShowElevation()
  {
    Command(ID_VIEW_ELEVATION);
    Pump();
    auto* pView = dynamic_cast<CAspectView*>(m_pDoc->GetElevationView());
    if (pView) {
      pView->Invalidate(TRUE);
      pView->UpdateWindow();
      Pump();
    }
    return pView;
  }

  static CInkGrid ScreenInk(CWnd* pView)
  {
    CRect client;
    pView->GetClientRect(&client);
    return CInkGrid(client.Width(), client.Height(),
                    [pView](int x, int y) { return pView->GetSurfacePixel(x, y) != kWhite; });
  }

  // The copy's picture and its SVG drawn at the picture's size, read back from the clipboard.
  static bool ReadCopy(CAspectView* pView, QImage& picture, QImage& svg)
  {
    QGuiApplication::clipboard()->clear();
    pView->SendMessage(WM_COMMAND, ID_COPY_VIEW);
    Pump();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage() || !data->hasFormat("image/svg+xml"))
      return false;
    picture = qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32);
    QSvgRenderer renderer(data->data("image/svg+xml"));
    if (!renderer.isValid() || picture.isNull())
      return false;
    svg = QImage(picture.size(), QImage::Format_RGB32);
    svg.fill(Qt::white);
    QPainter painter(&svg);
    renderer.render(&painter);
    return true;
  }

  // The copy shows what the screen shows, inside a blank margin, in both of its formats.
  void ExpectCopyAsScreen(CAspectView* pView, const std::string& what)
  {
    const CInkGrid screen = ScreenInk(pView);
    ASSERT_FALSE(screen.Box().isEmpty()) << what;
    QImage picture, svg;
    ASSERT_TRUE(ReadCopy(pView, picture, svg)) << what;
    // Both formats place the drawing alike in a picture of the same size.
    const QRect pictureBox = ImageInk(picture).Box();
    const QRect svgBox = ImageInk(svg).Box();
    const int slack = std::max(2, picture.width() / 100);
    EXPECT_NEAR(svgBox.left(), pictureBox.left(), slack) << what;
    EXPECT_NEAR(svgBox.top(), pictureBox.top(), slack) << what;
    EXPECT_NEAR(svgBox.right(), pictureBox.right(), slack) << what;
    EXPECT_NEAR(svgBox.bottom(), pictureBox.bottom(), slack) << what;
    for (const auto& [format, image] : {std::pair<const char*, const QImage&>{"PNG", picture}, {"SVG", svg}}) {
      const CInkGrid copy = ImageInk(image);
      const QRect box = copy.Box();
      ASSERT_FALSE(box.isEmpty()) << what << " " << format;
      // The drawing keeps clear of the picture's edges on every side.
      const int margin = std::max(image.width(), image.height()) / 50;
      EXPECT_GE(box.left(), margin) << what << " " << format;
      EXPECT_GE(box.top(), margin) << what << " " << format;
      EXPECT_LE(box.right(), image.width() - 1 - margin) << what << " " << format;
      EXPECT_LE(box.bottom(), image.height() - 1 - margin) << what << " " << format;
      // The same proportions and the same strokes as the screen's drawing.
      EXPECT_NEAR(static_cast<double>(box.width()) / box.height(),
                  static_cast<double>(screen.Box().width()) / screen.Box().height(), 0.05)
          << what << " " << format;
      EXPECT_GE(copy.FoundIn(screen), 0.95) << what << " " << format << ": strokes the screen does not show";
      EXPECT_GE(screen.FoundIn(copy), 0.95) << what << " " << format << ": strokes of the screen left out";
    }
  }
};

// The drawing's top lies in the middle of its width: a crown or peak above the springline.
void ExpectCrownInTheMiddle(const CInkGrid& grid, const std::string& what)
{
  const auto [left, right] = grid.TopSpan();
  EXPECT_GE(left, 0.1) << what;
  EXPECT_LE(right, 0.9) << what;
}
}  // namespace

TEST_F(ElevCopyTest, ThePatioDoorsArchIsCopiedCrownUpInsideAMargin)
{
  ASSERT_TRUE(Build({{"PS", "BA016", "PS6080"}, {"SL", "AR012", "SLA6010"}}));
  CAspectView* pView = ShowElevation();
  ASSERT_NE(pView, nullptr);
  ExpectCrownInTheMiddle(ScreenInk(pView), "screen");
  ExpectCopyAsScreen(pView, "patio door under an arch");
  QImage picture, svg;
  ASSERT_TRUE(ReadCopy(pView, picture, svg));
  ExpectCrownInTheMiddle(ImageInk(picture), "PNG");
  ExpectCrownInTheMiddle(ImageInk(svg), "SVG");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ElevCopyTest, ACircleTopAndAFreeFormPeakAreCopiedAsTheScreenShowsThem)
{
  const std::vector<std::pair<std::string, std::vector<Piece>>> openings = {
      {"circle top over a picture", {{"CA", "PI001", "CP3030"}, {"SW", "CC006", "CC3010"}}},
      {"free-form peak pentagon", {{"VG", "PP010", ""}}}};
  for (const auto& [what, pieces] : openings) {
    ASSERT_TRUE(Build(pieces)) << what;
    CAspectView* pView = ShowElevation();
    ASSERT_NE(pView, nullptr);
    ExpectCopyAsScreen(pView, what);
    QImage picture, svg;
    ASSERT_TRUE(ReadCopy(pView, picture, svg));
    ExpectCrownInTheMiddle(ImageInk(picture), what + " PNG");
    ExpectCrownInTheMiddle(ImageInk(svg), what + " SVG");
    Clear();
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ElevCopyTest, EveryArchedFamilyIsCopiedAsTheScreenShowsIt)
{
  const std::vector<Piece> arched = {{"AR", "BA011", ""}, {"SL", "BA012", ""}, {"SL", "AR012", ""}, {"SW", "GT041", ""},
                                     {"SW", "ET008", ""}, {"SW", "FR040", ""}, {"SW", "ML042", ""}, {"SW", "MR042", ""},
                                     {"SW", "FC039", ""}, {"SW", "FD039", ""}, {"SW", "JQ039", ""}, {"SW", "CL006", ""},
                                     {"SW", "CR006", ""}, {"SW", "CC006", ""}, {"SW", "CD007", ""}, {"SW", "CI009", ""},
                                     {"SW", "OV009", ""}};
  for (const Piece& piece : arched) {
    const std::string what = std::string(piece.type) + piece.subtype;
    ASSERT_TRUE(Build({piece})) << what;
    CAspectView* pView = ShowElevation();
    ASSERT_NE(pView, nullptr);
    ExpectCopyAsScreen(pView, what);
    Clear();
  }
  EXPECT_TRUE(Messages().empty());
}
