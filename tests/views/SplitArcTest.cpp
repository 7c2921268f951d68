// Guards the splitting of elliptical arcs into circular pieces: the piece count per quadrant,
// the geometry of the pieces, where the walk starts and ends, and the refusal of bad radii.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/2darc.h"
#include "support/ComExcpt.h"
#include "views/Xltent.h"

namespace {
constexpr double kPi = std::numbers::pi;

double Degrees(double radians) { return radians * 180.0 / kPi; }

CVRX2DArc Ellipse(double a, double b, double axis, double start, double end)
{
  return CVRX2DArc(46, CVRX2DPoint(0.0, 0.0), a, b, CVRXAngle(axis), CVRXAngle(start), CVRXAngle(end));
}

const CVRX2DArc& Piece(const CVRX2DEntityArray& pieces, int i) { return *static_cast<const CVRX2DArc*>(pieces[i]); }

CVRX2DPoint StartOf(const CVRX2DArc& arc)
{
  CVRX2DPoint start;
  CVRX2DPoint end;
  arc.GetEndPoints(start, end);
  return start;
}

CVRX2DPoint EndOf(const CVRX2DArc& arc)
{
  CVRX2DPoint start;
  CVRX2DPoint end;
  arc.GetEndPoints(start, end);
  return end;
}
}  // namespace

TEST(SplitArc, TheQuarterOfATwoToOneEllipseIsTwoTangentPieces)
{
  CVRX2DEntityArray pieces;
  CEntityTranslator::SplitArc(pieces, Ellipse(2.0, 1.0, 0.0, 0.0, kPi / 2.0));
  ASSERT_EQ(pieces.GetSize(), 2);
  const CVRX2DArc& first = Piece(pieces, 0);
  EXPECT_NEAR(first.GetCentre().GetX(), 1.3995191, 1e-6);
  EXPECT_NEAR(first.GetCentre().GetY(), 0.0, 1e-9);
  EXPECT_NEAR(first.GetMajorRadius(), 0.6004809, 1e-6);
  EXPECT_NEAR(Degrees(first.GetStartAngle().GetRadians()), 0.0, 1e-6);
  EXPECT_NEAR(Degrees(first.GetEndAngle().GetRadians()), 56.3736, 1e-3);
  const CVRX2DArc& second = Piece(pieces, 1);
  EXPECT_NEAR(second.GetCentre().GetX(), 0.0, 1e-9);
  EXPECT_NEAR(second.GetCentre().GetY(), -2.25, 1e-6);
  EXPECT_NEAR(second.GetMajorRadius(), 3.25, 1e-6);
  EXPECT_NEAR(Degrees(second.GetStartAngle().GetRadians()), 57.7958, 1e-3);
  EXPECT_NEAR(Degrees(second.GetEndAngle().GetRadians()), 90.0, 1e-6);
  EXPECT_NEAR(EndOf(first).GetX(), 1.7320508, 1e-6);
  EXPECT_NEAR(EndOf(first).GetY(), 0.5, 1e-6);
  EXPECT_NEAR(StartOf(second).GetX(), 1.7320508, 1e-6);
  EXPECT_EQ(first.GetCategory(), 46);
}

TEST(SplitArc, PiecesPerQuadrantFollowTheAxisRatio)
{
  CVRX2DEntityArray pieces;
  // A circle and a nearly round ellipse are one arc of the major radius, whatever the axis.
  CEntityTranslator::SplitArc(pieces, Ellipse(2.0, 2.0, 0.5, 0.2, 1.0));
  ASSERT_EQ(pieces.GetSize(), 1);
  EXPECT_DOUBLE_EQ(Piece(pieces, 0).GetMinorRadius(), 2.0);
  CEntityTranslator::SplitArc(pieces, Ellipse(2.001, 2.0, 0.0, 0.0, 1.0));
  ASSERT_EQ(pieces.GetSize(), 1);
  EXPECT_DOUBLE_EQ(Piece(pieces, 0).GetMinorRadius(), 2.001);
  // A closed ellipse starting at relative angle 0 is 4n pieces, from (a, 0) back to it.
  for (auto [a, n] : {std::pair{1.5, 2}, std::pair{2.0, 2}, std::pair{2.0015, 3}}) {
    CEntityTranslator::SplitArc(pieces, Ellipse(a, 1.0, 0.0, 0.0, 0.0));
    ASSERT_EQ(pieces.GetSize(), 4 * n) << a;
    EXPECT_NEAR(StartOf(Piece(pieces, 0)).GetX(), a, 1e-9);
    EXPECT_NEAR(EndOf(Piece(pieces, 4 * n - 1)).GetX(), a, 1e-9);
    EXPECT_NEAR(EndOf(Piece(pieces, 4 * n - 1)).GetY(), 0.0, 1e-9);
  }
}

TEST(SplitArc, AnArcStartsAndEndsOnTheEllipseAtItsAngles)
{
  const double from = 10.0 * kPi / 180.0;
  const double to = 80.0 * kPi / 180.0;
  CVRX2DArc arc = Ellipse(2.0, 1.0, 0.0, from, to);
  CVRX2DEntityArray pieces;
  CEntityTranslator::SplitArc(pieces, arc);
  ASSERT_EQ(pieces.GetSize(), 2);
  CVRX2DPoint start = StartOf(Piece(pieces, 0));
  CVRX2DPoint end = EndOf(Piece(pieces, 1));
  EXPECT_NEAR(std::atan2(start.GetY(), start.GetX()), from, 1e-9);
  EXPECT_NEAR(std::atan2(end.GetY(), end.GetX()), to, 1e-9);
  for (int i = 0; i < pieces.GetSize(); ++i) {
    EXPECT_GE(StartOf(Piece(pieces, i)).GetX(), -1e-9);
    EXPECT_GE(EndOf(Piece(pieces, i)).GetY(), -1e-9);
  }
  // The other way round runs through quadrants 2, 3 and 4 and ends in quadrant 1 again.
  CEntityTranslator::SplitArc(pieces, Ellipse(2.0, 1.0, 0.0, to, from));
  ASSERT_EQ(pieces.GetSize(), 8);
  end = EndOf(Piece(pieces, 7));
  EXPECT_NEAR(std::atan2(end.GetY(), end.GetX()), from, 1e-9);
}

TEST(SplitArc, ARotatedAndMovedArcIsPlacedOnItsEllipse)
{
  CVRX2DArc arc(46, CVRX2DPoint(5.0, 3.0), 2.0, 1.0, CVRXAngle(kPi / 6.0), CVRXAngle(kPi / 6.0),
                CVRXAngle(kPi / 6.0 + kPi));
  CVRX2DEntityArray pieces;
  CEntityTranslator::SplitArc(pieces, arc);
  ASSERT_EQ(pieces.GetSize(), 4);
  CVRX2DPoint start = StartOf(Piece(pieces, 0));
  CVRX2DPoint end = EndOf(Piece(pieces, 3));
  EXPECT_NEAR(start.GetX(), 5.0 + 2.0 * std::cos(kPi / 6.0), 1e-9);
  EXPECT_NEAR(start.GetY(), 3.0 + 2.0 * std::sin(kPi / 6.0), 1e-9);
  EXPECT_NEAR(end.GetX(), 5.0 - 2.0 * std::cos(kPi / 6.0), 1e-9);
  EXPECT_NEAR(end.GetY(), 3.0 - 2.0 * std::sin(kPi / 6.0), 1e-9);
}

TEST(SplitArc, AZeroOrInvalidMinorRadiusIsRefused)
{
  CVRX2DEntityArray pieces;
  EXPECT_THROW(CEntityTranslator::SplitArc(pieces, Ellipse(2.0, 0.0, 0.0, 0.0, 1.0)), CCommonException);
  EXPECT_THROW(CEntityTranslator::SplitArc(pieces, Ellipse(std::nan(""), 1.0, 0.0, 0.0, 1.0)), CCommonException);
  EXPECT_EQ(pieces.GetSize(), 0);
}

TEST(SplitArc, AClosedEllipseStartingInsideAPieceRepeatsThatPiece)
{
  // n = 2: starting inside the first piece, the walk ends on it again.
  CVRX2DEntityArray pieces;
  CEntityTranslator::SplitArc(pieces, Ellipse(2.0, 1.0, 0.0, 0.3, 0.3));
  ASSERT_EQ(pieces.GetSize(), 4 * 2 + 1);
  EXPECT_EQ(Piece(pieces, 0).GetCentre(), Piece(pieces, 8).GetCentre());
  const CVRX2DPoint start = StartOf(Piece(pieces, 0));
  const CVRX2DPoint end = EndOf(Piece(pieces, 8));
  EXPECT_NEAR(start.GetX(), end.GetX(), 1e-9);
  EXPECT_NEAR(start.GetY(), end.GetY(), 1e-9);
}

TEST(SplitArc, AStartOnTheMinorAxisBeginsInTheSecondQuadrant)
{
  CVRX2DEntityArray pieces;
  CEntityTranslator::SplitArc(pieces, Ellipse(2.0, 1.0, 0.0, kPi / 2.0, kPi));
  ASSERT_EQ(pieces.GetSize(), 2);
  EXPECT_NEAR(StartOf(Piece(pieces, 0)).GetX(), 0.0, 1e-9);
  EXPECT_NEAR(StartOf(Piece(pieces, 0)).GetY(), 1.0, 1e-9);
  EXPECT_NEAR(EndOf(Piece(pieces, 1)).GetX(), -2.0, 1e-9);
  for (int i = 0; i < pieces.GetSize(); ++i)
    EXPECT_LE(Piece(pieces, i).GetCentre().GetX(), 1e-9) << "a piece of the second quadrant";
}

TEST(SplitArc, AnEndOnNoPieceStopsTheWalkAfterTwoTurns)
{
  // An end angle that is no number lies on no piece: the walk must not run on for ever.
  CVRX2DEntityArray pieces;
  EXPECT_THROW(CEntityTranslator::SplitArc(pieces, Ellipse(2.0, 1.0, 0.0, 0.3, std::nan(""))), CCommonException);
  EXPECT_LE(pieces.GetSize(), 2 * 4 * 2 + 2) << "no more than two turns of pieces were walked";
}
