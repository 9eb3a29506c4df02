// The plane geometry of the text operations: directions, feet, crossings and polylines.
#include <gtest/gtest.h>

#include <cmath>

#include "placement/Geometry.h"

namespace kav::placement {
namespace {

constexpr double kDeg = kPi / 180;

void ExpectPoint(const TPoint& p, double x, double y, double z = 0) {
  EXPECT_NEAR(p.X, x, 1e-9);
  EXPECT_NEAR(p.Y, y, 1e-9);
  EXPECT_NEAR(p.Z, z, 1e-9);
}

TEST(SegmentAngle, EveryQuadrantAndTheSnapsToVerticalAndHorizontal) {
  EXPECT_NEAR(SegmentAngle({0, 0}, {1, 1}), 45 * kDeg, 1e-12);
  EXPECT_NEAR(SegmentAngle({0, 0}, {-1, 1}), 135 * kDeg, 1e-12);
  EXPECT_NEAR(SegmentAngle({0, 0}, {-1, -1}), 225 * kDeg, 1e-12);
  EXPECT_NEAR(SegmentAngle({0, 0}, {1, -1}), 315 * kDeg, 1e-12);
  // Within 1e-5 of vertical or horizontal counts as exactly that.
  EXPECT_EQ(SegmentAngle({0, 0}, {0.9e-5, 10}), kPi / 2);
  EXPECT_EQ(SegmentAngle({0, 10}, {0.9e-5, 0}), 3 * kPi / 2);
  EXPECT_EQ(SegmentAngle({0, 0}, {10, -0.9e-5}), 0);
  EXPECT_EQ(SegmentAngle({10, 0}, {0, 0.9e-5}), kPi);
  EXPECT_NEAR(SegmentAngle({0, 0}, {1.1e-5, 10}), kPi / 2 - 1.1e-6, 1e-9);   // not snapped
  // A point, not a segment, points down.
  EXPECT_EQ(SegmentAngle({3, 3}, {3, 3}), 3 * kPi / 2);
  for (double a = 0; a < 360; a += 7.5) {
    const double angle = SegmentAngle({1, 2}, {1 + 10 * std::cos(a * kDeg), 2 + 10 * std::sin(a * kDeg)});
    EXPECT_NEAR(angle, a * kDeg, 1e-9) << a;
    EXPECT_GE(angle, 0);
    EXPECT_LT(angle, 2 * kPi);
  }
}

TEST(FootOnSegment, FeetOnTheSegmentIncludeBothEndsAndTheFootIsGivenEitherWay) {
  TPoint foot;
  EXPECT_TRUE(FootOnSegment({4, 1}, {0, 0}, {10, 0}, foot));
  ExpectPoint(foot, 4, 0);
  EXPECT_TRUE(FootOnSegment({10, 3}, {0, 0}, {10, 0}, foot));   // the end point counts
  ExpectPoint(foot, 10, 0);
  EXPECT_TRUE(FootOnSegment({0, -3}, {0, 0}, {10, 0}, foot));
  EXPECT_FALSE(FootOnSegment({12, 3}, {0, 0}, {10, 0}, foot));
  ExpectPoint(foot, 12, 0);
  EXPECT_FALSE(FootOnSegment({-0.001, 3}, {0, 0}, {10, 0}, foot));
  // Slanted, drawn backwards, with z on the segment's start.
  EXPECT_TRUE(FootOnSegment({0, 10}, {10, 10, 7}, {0, 0, 7}, foot));
  ExpectPoint(foot, 5, 5, 7);
  // Snapped to vertical: the foot lies on the exactly vertical line through the start.
  EXPECT_TRUE(FootOnSegment({3, 5}, {1, 0}, {1 + 0.5e-5, 10}, foot));
  EXPECT_DOUBLE_EQ(foot.X, 1);
  // A zero-length segment holds only the feet that fall exactly on it.
  EXPECT_FALSE(FootOnSegment({5, 5}, {2, 2}, {2, 2}, foot));
}

TEST(SegmentIntersection, CrossingsEndsAndTheBoundsAlongBothSegments) {
  TPoint out{0, 0, 9};
  EXPECT_TRUE(SegmentIntersection({0, 0}, {10, 0}, {4, -5}, {4, 5}, out));
  ExpectPoint(out, 4, 0, 9);   // z untouched
  // A crossing at the drawn segment's start (u = 0) does not count; at its end (u = 1) it does.
  EXPECT_FALSE(SegmentIntersection({0, 0}, {10, 0}, {4, 0}, {4, 5}, out));
  EXPECT_TRUE(SegmentIntersection({0, 0}, {10, 0}, {4, 5}, {4, 0}, out));
  ExpectPoint(out, 4, 0, 9);
  // Ends that coincide give the whole end point of the first segment.
  EXPECT_TRUE(SegmentIntersection({0, 0, 3}, {10, 0, 3}, {10, 0, 8}, {20, 5}, out));
  ExpectPoint(out, 10, 0, 3);
  EXPECT_TRUE(SegmentIntersection({0, 0, 3}, {10, 0, 3}, {-5, 5}, {0, 0}, out));
  ExpectPoint(out, 0, 0, 3);
  // Parallel, degenerate, and beyond either segment.
  EXPECT_FALSE(SegmentIntersection({0, 0}, {10, 0}, {0, 1}, {10, 1}, out));
  EXPECT_FALSE(SegmentIntersection({0, 0}, {0, 0}, {-1, -1}, {1, 1}, out));
  EXPECT_FALSE(SegmentIntersection({0, 0}, {10, 0}, {11, -1}, {11, 1}, out));
  EXPECT_FALSE(SegmentIntersection({0, 0}, {10, 0}, {5, 1}, {5, 2}, out));
}

TEST(Polylines, SegmentsOfTheVertexListAndTheNearestFoot) {
  const auto segments = PolylineSegments({0, 0, 10, 0, 10, 10, 0, 10}, true);
  ASSERT_EQ(segments.size(), 4u);
  ExpectPoint(segments[3].Start, 0, 0);   // the closing segment runs from the first vertex to the last
  ExpectPoint(segments[3].End, 0, 10);
  // A dangling odd number is no vertex; one vertex gives no open segment.
  EXPECT_EQ(PolylineSegments({0, 0, 10, 0, 99}, false).size(), 1u);
  EXPECT_TRUE(PolylineSegments({5, 5}, false).empty());
  EXPECT_TRUE(PolylineSegments({}, true).empty());
  EXPECT_TRUE(PolylineSegments({7}, true).empty());

  TNearestSegment nearest;
  ASSERT_TRUE(NearestSegment({9, 4}, {0, 0, 10, 0, 10, 10}, false, nearest));
  ExpectPoint(nearest.Foot, 10, 4);   // 1 away from the second segment, 4 from the first
  ExpectPoint(nearest.Segment.Start, 10, 0);
  // Equal distance: the earlier segment keeps it.
  ASSERT_TRUE(NearestSegment({5, 5}, {0, 0, 10, 0, 10, 10, 0, 10}, false, nearest));
  ExpectPoint(nearest.Foot, 5, 0);
  // The closing segment wins when it is nearer.
  ASSERT_TRUE(NearestSegment({-1, 5}, {0, 0, 10, 0, 10, 10, 0, 10}, true, nearest));
  ExpectPoint(nearest.Foot, 0, 5);
  ExpectPoint(nearest.Segment.End, 0, 10);
  // Feet outside every segment: nothing, however near the ends.
  EXPECT_FALSE(NearestSegment({-0.1, -0.1}, {0, 0, 10, 0}, false, nearest));
}

TEST(Points, ArithmeticRotationAndPolar) {
  ExpectPoint(AddPoints({1, 2, 3}, {4, 5, 6}), 5, 7, 9);
  ExpectPoint(SubtractPoints({1, 2, 3}, {4, 5, 6}), -3, -3, -3);
  ExpectPoint(RotatePoint({1, 0, 4}, kPi / 2), 0, 1, 4);
  ExpectPoint(PolarPoint({1, 1, 5}, 2, kPi), -1, 1, 0);   // z becomes 0
  EXPECT_DOUBLE_EQ(PointDistance({0, 0, 100}, {3, 4, -100}), 5);
}

}  // namespace
}  // namespace kav::placement
