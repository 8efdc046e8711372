// Text arguments: properties and method arguments go through the same code-page conversion
// (UTF-8 in the portable build); a null ends the text; a null pointer means empty.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "platform/string_conversion.h"

namespace corvane {
namespace {

using testing::Len;

class Strings : public ::testing::Test, public testing::AutomationFixtureBase {};

const std::u16string kCyrillic = u"\u0416";
const std::u16string kMixed = u"\u0416\u0443\u0440\u043D\u0430\u043B: d\u00E9j\u00E0 vu";
const std::u16string kWithNull(u"Peak\0junk", 9);

using Put = HResult (CorvaneAutomation::*)(const char16_t*, std::uint32_t);
using Get = HResult (CorvaneAutomation::*)(std::u16string*);
const std::pair<Put, Get> kProperties[] = {
    {&CorvaneAutomation::put_caption, &CorvaneAutomation::get_caption},
    {&CorvaneAutomation::put_arrowCaptionX, &CorvaneAutomation::get_arrowCaptionX},
    {&CorvaneAutomation::put_arrowCaptionY, &CorvaneAutomation::get_arrowCaptionY},
};

TEST_F(Strings, PropertiesRoundTripAndStopAtNull) {
  for (const auto& [put, get] : kProperties) {
    std::u16string back;
    for (const std::u16string& text : {kCyrillic, kMixed}) {
      EXPECT_EQ((chart.*put)(text.data(), Len(text)), kS_OK);
      EXPECT_EQ((chart.*get)(&back), kS_OK);
      EXPECT_EQ(back, text);
    }
    (chart.*put)(kWithNull.data(), Len(kWithNull));
    (chart.*get)(&back);
    EXPECT_EQ(back, u"Peak");
    (chart.*put)(u"abcdef", 3);
    (chart.*get)(&back);
    EXPECT_EQ(back, u"abc");
    (chart.*put)(nullptr, 5);
    back = u"stale";
    EXPECT_EQ((chart.*get)(&back), kS_OK);
    EXPECT_EQ(back, u"");
  }
  // Narrow strings are UTF-8 here: U+0416 is D0 96, not its low byte 0x16.
  chart.put_caption(kCyrillic.data(), Len(kCyrillic));
  EXPECT_EQ(engine().captionLabel.text, "\xD0\x96");
}

TEST_F(Strings, MethodArgumentsUseTheSameConversion) {
  chart.AddMark2(1, 2, kMixed.data(), Len(kMixed));
  chart.AddMark2(1, 2, kWithNull.data(), Len(kWithNull));
  chart.AddMark2(1, 2, nullptr, 3);
  chart.AddLabelToGrid(kCyrillic.data(), Len(kCyrillic));
  chart.AddLabelToGrid(kWithNull.data(), Len(kWithNull));
  chart.AddLabelToLegend(0x00FF00, kMixed.data(), Len(kMixed));
  chart.AddLabelToLegend(2, nullptr, 0);

  ASSERT_EQ(engine().marks.count(), 3);
  EXPECT_EQ(WidenToUtf16(engine().marks[0].xLabel.text), kMixed);
  EXPECT_EQ(engine().marks[1].xLabel.text, "Peak");
  EXPECT_EQ(engine().marks[2].xLabel.text, "");
  EXPECT_EQ(engine().marks[2].hasUserLabel, 1);
  ASSERT_EQ(engine().grid.labels.count(), 2);
  EXPECT_EQ(engine().grid.labels[0], "\xD0\x96");
  EXPECT_EQ(engine().grid.labels[1], "Peak");
  ASSERT_EQ(engine().legend.labels.count(), 2);
  EXPECT_EQ(WidenToUtf16(engine().legend.labels[0]), kMixed);
  EXPECT_EQ(engine().legend.labels[1], "");
  EXPECT_EQ(engine().legend.colors[0], 0x00FF00u);

  chart.AddMark(2.5, 7);
  EXPECT_EQ(engine().marks[3].hasUserLabel, 0);
}

}  // namespace
}  // namespace corvane
