#include "platform/growable_array.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/geometry.h"

namespace corvane {
namespace {

// Point arrays move from the heap to page-mapped blocks as they grow; the contents must
// survive every step, including the switch and growth of a mapped block.
TEST(GrowableArray, PointsSurviveGrowthAcrossTheLargeBlockSize) {
  GrowableArray<DPoint> a;
  const std::int32_t n = static_cast<std::int32_t>(4 * kLargeBlockBytes / sizeof(DPoint)) + 3;
  for (std::int32_t i = 0; i < n; ++i) {
    ASSERT_TRUE(a.Append(DPoint{double(i), -double(i)}));
    ASSERT_GE(a.capacity(), a.count());
  }
  for (std::int32_t i = 0; i < n; i += 997) {
    ASSERT_EQ(a[i].X, double(i));
    ASSERT_EQ(a[i].Y, -double(i));
  }
  EXPECT_EQ(a[n - 1].X, double(n - 1));

  GrowableArray<DPoint> moved(std::move(a));
  EXPECT_EQ(a.count(), 0);
  EXPECT_EQ(moved.count(), n);
  EXPECT_EQ(moved[n - 2].Y, -double(n - 2));
  moved.Clear();
  EXPECT_EQ(moved.count(), 0);
  EXPECT_EQ(moved.capacity(), 0);
  EXPECT_TRUE(moved.Append(DPoint{1, 2}));  // usable again after a mapped block was freed
  EXPECT_EQ(moved[0].Y, 2.0);
}

TEST(GrowableArray, ReserveStraightIntoALargeBlockAndRecordsWithStrings) {
  GrowableArray<DPoint> a;
  ASSERT_TRUE(a.Append(DPoint{7, 8}));
  ASSERT_TRUE(a.Reserve(static_cast<std::int32_t>(kLargeBlockBytes / sizeof(DPoint)) * 2));
  EXPECT_EQ(a.count(), 1);
  EXPECT_EQ(a[0].X, 7.0);

  GrowableArray<std::string> labels;
  for (int i = 0; i < 5000; ++i) ASSERT_TRUE(labels.Append(std::string(40, char('a' + i % 26))));
  EXPECT_EQ(labels[4999], std::string(40, char('a' + 4999 % 26)));
  EXPECT_EQ(labels.capacity(), 8192);  // doubling from 1
}

}  // namespace
}  // namespace corvane
