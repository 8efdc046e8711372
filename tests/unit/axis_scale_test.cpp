// The axis scale and its mapping: a linear axis maps exactly as the plot mapping does, a
// logarithmic one spaces the decades evenly and leaves out what it cannot show.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "appearance/axis_scale.h"
#include "overlays/device_mapping.h"

namespace corvane {
namespace {

TEST(AxisScale, LinearMappingIsThePlotMappingBitForBit) {
  DeviceMapping plot;
  ASSERT_TRUE(MakeDeviceMapping(-3.7, 12.9, -0.001, 0.25, 65, 735, 60, 565, &plot));
  AxisMapping x, y;
  ASSERT_TRUE(AxisMapping::Make(AxisScale::For(AxisType::kLinear), -3.7, 12.9, 65, 735, &x));
  ASSERT_TRUE(AxisMapping::Make(AxisScale::For(AxisType::kOleDate), -0.001, 0.25, 565, 60, &y));
  for (int k = -1000; k <= 1000; ++k) {
    const double v = k * 0.0173;
    EXPECT_EQ(x.Device(v), plot.X(v)) << v;
    EXPECT_EQ(y.Device(v), plot.Y(v)) << v;
  }
  EXPECT_NEAR(x.Value(x.Device(4.2)), 4.2, 1e-12);
}

TEST(AxisScale, LogarithmicMappingSpacesDecadesEvenly) {
  AxisMapping m;
  ASSERT_TRUE(AxisMapping::Make(AxisScale::Logarithmic(), 1, 1000, 100, 400, &m));
  EXPECT_DOUBLE_EQ(m.Device(1), 100);
  EXPECT_DOUBLE_EQ(m.Device(10), 200);
  EXPECT_DOUBLE_EQ(m.Device(100), 300);
  EXPECT_DOUBLE_EQ(m.Device(1000), 400);
  EXPECT_NEAR(m.Value(250), std::sqrt(10.0) * 10, 1e-9);
  const AxisScale log = AxisScale::Logarithmic();
  for (double left_out : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
    EXPECT_FALSE(log.Takes(left_out)) << left_out;
    EXPECT_TRUE(std::isnan(m.Device(left_out))) << left_out;
  }
  EXPECT_TRUE(log.Takes(5e-324));
  EXPECT_NEAR(log.Forward(5e-324), -323.306, 1e-3);
}

TEST(AxisScale, NoMappingWhereNoneExists) {
  const AxisScale linear, log = AxisScale::Logarithmic();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const AxisScale* scale;
    double from, to;
  };
  const Case cases[] = {{&linear, 1, 1},     {&linear, nan, 1},    {&linear, 0, HUGE_VAL},
                        {&linear, -1e308, 1e308}, {&linear, 0, 5e-324}, {&log, 0, 10},
                        {&log, -10, -1},     {&log, 5, 5}};
  for (const Case& c : cases) {
    AxisMapping m;
    EXPECT_FALSE(AxisMapping::Make(*c.scale, c.from, c.to, 0, 500, &m)) << c.from << " " << c.to;
  }
  // No extent: everything lands on the one edge, as the plot mapping puts it.
  AxisMapping flat;
  ASSERT_TRUE(AxisMapping::Make(linear, 0, 10, 70, 70, &flat));
  EXPECT_EQ(flat.Device(5), 70);
  EXPECT_TRUE(std::isnan(flat.Value(70)));
  EXPECT_TRUE(IsAxisType(4));
  EXPECT_FALSE(IsAxisType(5));
  EXPECT_FALSE(IsAxisType(-1));
}

}  // namespace
}  // namespace corvane
