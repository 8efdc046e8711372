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

// Zero-filled appends read back as zeros however the storage got there: the heap, the
// switch to a mapped block, a mapped block grown in place or moved.
TEST(GrowableArray, AppendZeroedReadsBackZerosThroughEveryKindOfGrowth) {
  const std::int32_t large = static_cast<std::int32_t>(kLargeBlockBytes / sizeof(DPoint));
  struct Step { std::int32_t values, zeros; };
  const Step steps[] = {{3, 5}, {large, 7}, {1, large}, {2 * large, 3 * large}, {5, 0}};
  GrowableArray<DPoint> a;
  std::int32_t expectedCount = 0;
  for (const Step& step : steps) {
    for (std::int32_t i = 0; i < step.values; ++i) ASSERT_TRUE(a.Append(DPoint{-1.5, 2.5}));
    const std::int32_t start = a.count();
    ASSERT_TRUE(a.Reserve(start + step.zeros));
    ASSERT_TRUE(a.AppendZeroed(step.zeros));
    expectedCount += step.values + step.zeros;
    ASSERT_EQ(a.count(), expectedCount);
    for (std::int32_t i = start; i < a.count(); ++i) {
      ASSERT_EQ(a[i].X, 0.0) << "index " << i;
      ASSERT_EQ(a[i].Y, 0.0) << "index " << i;
    }
    if (start > 0) {
      EXPECT_EQ(a[start - 1].X, -1.5);
    }
  }
  EXPECT_FALSE(a.AppendZeroed(a.capacity() - a.count() + 1));  // no room: nothing changes
  EXPECT_FALSE(a.AppendZeroed(-1));
  EXPECT_EQ(a.count(), expectedCount);
}

}  // namespace
}  // namespace corvane
